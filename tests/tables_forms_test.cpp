// The code editor TFCODICI, the raw-materials window TFMATPRI and the structure
// editor TFSTRUTAB, headless.
#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/io_error.h"
#include "tables/code_editor_form.h"
#include "tables/list_file.h"
#include "tables/raw_materials_form.h"
#include "tables/structure_form.h"
#include "tables_support.h"

namespace veltrano {
namespace {

using testing::ScriptedDialogs;
using testing::TablesTest;

class CodeEditorTest : public TablesTest {
protected:
    Check typeAndLeave(FormModel& f, const std::string& field, const std::string& text) {
        f.type(field, text);
        return f.leave(field);
    }
};

TEST_F(CodeEditorTest, TakesCaptionAndLabelsFromTheStructure) {
    CodeEditorForm f(session, dialogs, "TA05C");
    EXPECT_EQ(f.caption(), "TIPI DI DOCUMENTO DEI MOVIMENTI DI MATERIE PRIME");
    EXPECT_EQ(f.field("LE1")->caption, "Codice documento");
    EXPECT_EQ(f.field("LE1")->maxLength, 5);
    EXPECT_EQ(f.field("LE2")->maxLength, 40);
    f.open();
    f.keyPressed();
    f.type("LE1", "ddt123");
    EXPECT_EQ(f.text("LE1"), "DDT12");  // upper case, at most 5 characters
}

TEST_F(CodeEditorTest, MissingStructureClosesTheWindow) {
    CodeEditorForm f(session, dialogs, "TA20");
    f.open();
    EXPECT_TRUE(f.closed());
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"STRUTTURA DELLA TABELLA MANCANTE"}));
}

TEST_F(CodeEditorTest, NewCodesAreInsertedByKeyAfterEqualOnes) {
    add("TA05C", "FT", "FATTURA");
    add("TA05C", "DDT", "DOCUMENTO DI TRASPORTO");
    CodeEditorForm f(session, dialogs, "TA05C");
    f.open();
    f.keyPressed();
    ASSERT_TRUE(typeAndLeave(f, "LE1", "BD"));
    EXPECT_FALSE(f.editing());
    f.type("LE2", "BOLLA DOGANALE");
    f.confirm();
    EXPECT_FALSE(f.closed());
    EXPECT_EQ(f.text("LE1"), "");  // cleared for the next one
    EXPECT_EQ(names("TA05C.TAB"), (std::vector<std::string>{"BD", "DDT", "FT"}));
    EXPECT_EQ(entries("TA05C.TAB")[0].ID, 3);
    EXPECT_EQ(entries("TA05C.TAB")[0].STR2[0], "TA05C");
}

TEST_F(CodeEditorTest, EditingKeepsTheIdAndRefusesACodeInUse) {
    add("TA03", "PD01", "Padova");
    add("TA03", "VI01", "Vicenza");
    CodeEditorForm f(session, dialogs, "TA03");
    f.open();
    f.keyPressed();
    ASSERT_TRUE(typeAndLeave(f, "LE1", "VI01"));
    ASSERT_TRUE(f.editing());
    EXPECT_EQ(f.text("LE2"), "Vicenza");
    EXPECT_TRUE(f.visible("BCANCELLA"));
    f.type("LE1", "PD01");
    dialogs.clear();
    EXPECT_FALSE(f.reachConfirm());
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"CODICE GIA` UTILIZZATO"}));
    f.type("LE1", "AA01");
    f.type("LE2", "Vicenza, sede nuova");
    f.confirm();
    const auto e = entries("TA03.TAB");
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].STR1[0], "AA01");
    EXPECT_EQ(e[0].STR1[1], "Vicenza, sede nuova");
    EXPECT_EQ(e[0].ID, 2);  // the entry keeps its ID
    EXPECT_EQ(e[1].STR1[0], "PD01");
}

TEST_F(CodeEditorTest, InsertionModeClosesAndLeavesTheSavedEntry) {
    CodeEditorForm f(session, dialogs, "TA03:I");
    EXPECT_TRUE(f.insertion());
    EXPECT_EQ(f.table(), "TA03");
    f.open();
    f.keyPressed();
    ASSERT_TRUE(typeAndLeave(f, "LE1", "tv01"));
    f.type("LE2", "Ufficio delle Dogane di Treviso");
    f.confirm();
    EXPECT_TRUE(f.closed());
    EXPECT_TRUE(f.confirmed());
    ASSERT_TRUE(f.resultEntry().has_value());
    EXPECT_EQ(TrimText(f.resultEntry()->STR1[0]), "TV01");
    EXPECT_EQ(f.resultEntry()->ID, 1);
}

TEST_F(CodeEditorTest, DeleteWithoutQuestionAndTheList) {
    add("TA03", "PD01", "Padova");
    add("TA03", "VI01", "Vicenza");
    CodeEditorForm f(session, dialogs, "TA03");
    f.open();
    dialogs.listChoices.push_back(1);
    f.press("BELENCA");
    EXPECT_EQ(f.text("LE1"), "PD01");
    ASSERT_TRUE(f.leave("LE1"));
    ASSERT_TRUE(f.editing());
    f.press("BCANCELLA");
    EXPECT_EQ(names("TA03.TAB"), (std::vector<std::string>{"VI01"}));
    EXPECT_FALSE(f.editing());
    dialogs.listChoices.push_back(99);  // an entry removed meanwhile
    f.type("LE1", "XX");
    f.press("BELENCA");
    EXPECT_EQ(f.text("LE1"), "");
}

TEST_F(CodeEditorTest, AnEmptyCodeKeepsTheFocus) {
    CodeEditorForm f(session, dialogs, "TA03");
    f.open();
    f.keyPressed();
    EXPECT_EQ(typeAndLeave(f, "LE1", "   ").field, "LE1");
    EXPECT_EQ(f.reachConfirm().field, "LE1");
}

class RawMaterialsTest : public TablesTest {
protected:
    void openTyping(const std::string& mode = "MATPRIME") {
        session.mode = mode;
        form.open();
        form.keyPressed();
    }
    RawMaterialsForm form{session, dialogs};
};

TEST_F(RawMaterialsTest, TheSameNameTwiceEditsTheExistingEntry) {
    add("MATPRIME", "MALTO PILS");
    add("MATPRIME", "LUPPOLO");
    openTyping();
    form.type("LE1", "malto pils  ");
    ASSERT_TRUE(form.leave("LE1"));
    EXPECT_TRUE(form.editing());
    EXPECT_EQ(form.text("LE1"), "MALTO PILS");
    form.type("LE1", "MALTO PILSNER");
    form.confirm();
    const auto e = entries("MATPRIME.TAB");
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[1].STR1[0], "MALTO PILSNER");
    EXPECT_EQ(e[1].ID, 3);  // an edited entry gets 1 + the largest ID
}

TEST_F(RawMaterialsTest, RenamingToAnExistingNameIsRefused) {
    add("MATPRIME", "LUPPOLO");
    add("MATPRIME", "MALTO");
    openTyping();
    form.type("LE1", "MALTO");
    ASSERT_TRUE(form.leave("LE1"));
    form.type("LE1", "LUPPOLO");
    dialogs.clear();
    form.confirm();
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"CODICE GIA` UTILIZZATO"}));
    EXPECT_EQ(form.takeFocusRequest(), "LE1");
    EXPECT_EQ(names("MATPRIME.TAB"), (std::vector<std::string>{"LUPPOLO", "MALTO"}));
}

TEST_F(RawMaterialsTest, InsertionModeReturnsTheNewEntry) {
    add("MATPRIME", "MALTO");
    openTyping("MATPRIME:I");
    form.type("LE1", "LIEVITO");
    ASSERT_TRUE(form.leave("LE1"));
    form.confirm();
    EXPECT_TRUE(form.closed());
    ASSERT_TRUE(form.resultEntry());
    EXPECT_EQ(form.resultEntry()->ID, 2);
    EXPECT_EQ(TrimText(form.resultEntry()->STR1[0]), "LIEVITO");
    EXPECT_EQ(TrimText(form.resultEntry()->STR2[0]), "MATPRIME");
}

TEST_F(RawMaterialsTest, TheNameIsUpperCaseAndAtMostFortyCharacters) {
    openTyping();
    form.type("LE1", std::string(45, 'a'));
    EXPECT_EQ(form.text("LE1"), std::string(40, 'A'));
}

class StructureEditorTest : public TablesTest {
protected:
    StructureEditorForm form{session, dialogs};
};

TEST_F(StructureEditorTest, LoadsAndSavesAStructure) {
    form.open();
    form.keyPressed();
    form.type("E02250", "ta03");
    ASSERT_TRUE(form.leave("E02250"));
    EXPECT_EQ(form.text("E12250"), "UFFICI DOGANALI");
    EXPECT_EQ(form.text("ICHIAVE"), "1");
    EXPECT_EQ(form.text("DIM1"), "8");
    EXPECT_EQ(form.text("ETI2"), "Descrizione");
    EXPECT_EQ(form.text("DIM3"), "0");
    form.type("E02250", "TA20");
    form.type("E12250", "PROTOCOLLI");
    form.type("DIM1", "12");
    form.type("ETI1", "Numero");
    form.confirm();
    EXPECT_EQ(form.text("E02250"), "");
    const auto s = ReadTableStructure(tmp.folders(), "TA20");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->name, "TA20");
    EXPECT_EQ(s->title, "PROTOCOLLI");
    EXPECT_EQ(s->sizes[0], 12);
    EXPECT_EQ(s->labels[0], "Numero");
    EXPECT_EQ(s->searchFields, 1);
}

TEST_F(StructureEditorTest, NamesThatCannotNameAFileAreRefused) {
    form.open();
    form.keyPressed();
    for (const char* bad : {"", "   ", "!TA", "..", "A/../../X", "TA 03", "TA03.STR"}) {
        form.type("E02250", bad);
        EXPECT_FALSE(form.leave("E02250")) << bad;
    }
    for (const char* good : {"TA03", "0", "TA_05-C"})
        EXPECT_TRUE(IsValidTableName(good)) << good;
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

class DamagedTableTest : public testing::TablesTest {};

// A table file cut short by another workstation's crash or a copy: the list and
// the lookups refuse it with the error, the window stays open, nothing is written.
TEST_F(DamagedTableTest, ATruncatedTableIsReportedAndLeftAlone) {
    add("TA03", "PD01", "Padova");
    Bytes bytes = *ReadWholeFile(dati("TA03.TAB"));
    bytes.resize(bytes.size() - 100);
    ReplaceFileAtomically(dati("TA03.TAB"), bytes);
    EXPECT_THROW(BuildTableList(tmp.folders(), "TA03"), DamagedFile);

    CodeEditorForm f(session, dialogs, "TA03");
    f.open();
    f.keyPressed();
    f.type("LE1", "VI01");
    f.type("LE2", "Vicenza");
    EXPECT_FALSE(f.leave("LE1"));
    f.confirm();
    EXPECT_FALSE(f.closed());
    ASSERT_FALSE(dialogs.messages().empty());
    EXPECT_NE(dialogs.messages().back().find("TA03.TAB"), std::string::npos);
    EXPECT_EQ(*ReadWholeFile(dati("TA03.TAB")), bytes);
}

TEST_F(DamagedTableTest, AStructureWithAbsurdSizesStillOpensTheEditor) {
    TableStructure s;
    s.name = "TA99";
    s.title = "STRANA";
    s.searchFields = 1000;
    s.sizes[0] = -5;
    s.sizes[1] = 100000;
    RecordFile f = RecordFile::Empty(dati("TA99.STR"), TableRecord::kSize);
    f.append(s.toRecord().encode());
    f.commit(true);
    CodeEditorForm form(session, dialogs, "TA99");
    EXPECT_EQ(form.field("LE1")->maxLength, 250);
    EXPECT_EQ(form.field("LE2")->maxLength, 250);
    form.open();
    form.keyPressed();
    form.type("LE1", "A");
    EXPECT_TRUE(form.leave("LE1"));
    form.confirm();
    EXPECT_EQ(names("TA99.TAB"), (std::vector<std::string>{"A"}));
}

}  // namespace
}  // namespace veltrano
