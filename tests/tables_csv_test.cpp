// "&Importa CSV" of the structure editor: the lines it takes, the files it
// refuses, and a table that is only replaced once the file was read whole.
#include <gtest/gtest.h>

#include "core/file_io.h"
#include "tables/csv_import.h"
#include "tables/structure_form.h"
#include "tables_support.h"

namespace veltrano {
namespace {

using testing::TablesTest;

class CsvImportTest : public TablesTest {
protected:
    void writeCsv(const std::string& bytes) {
        ReplaceFileAtomically(
            dati("TA05C.CSV"),
            ByteSpan(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    }
    // Imports through the window, as the user does.
    std::vector<std::string> import() {
        StructureEditorForm form(session, dialogs);
        form.open();
        form.keyPressed();
        form.type("E02250", "TA05C");
        EXPECT_TRUE(form.leave("E02250"));
        dialogs.clear();
        form.press("BIMPORTA");
        return dialogs.messages();
    }
};

TEST_F(CsvImportTest, LinesBecomeEntriesInKeyOrderWithIdsInFileOrder) {
    writeCsv(
        "! tipi di documento\r\n"
        "FT;FATTURA;;X\r\n"
        "\r\n"
        " commento\r\n"
        "DDT;DOCUMENTO DI TRASPORTO; ;N;e;f;g;h;i;j;oltre il decimo\r\n"
        "BD\r\n"
        "FT;FATTURA DIFFERITA\n"
        "\x1A");
    EXPECT_EQ(import(),
              (std::vector<std::string>{"IMPORTAZIONE COMPLETATA: 4 RIGHE NELLA TABELLA TA05C"}));
    const auto e = entries("TA05C.TAB");
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(names("TA05C.TAB"), (std::vector<std::string>{"BD", "DDT", "FT", "FT"}));
    EXPECT_EQ(e[0].ID, 3);
    EXPECT_EQ(e[1].ID, 2);
    EXPECT_EQ(e[2].ID, 1);  // equal keys keep their file order
    EXPECT_EQ(e[3].ID, 4);
    // Code, description, "N" for the empty third, "S" for X, six empty fields.
    const std::array<std::string, 10> ft{"FT", "FATTURA", "N", "S", "", "", "", "", "", ""};
    EXPECT_EQ(e[2].STR1, ft);
    EXPECT_EQ(e[2].STR2[0], "TA05C");
    EXPECT_EQ(e[1].STR1[2], "N");  // a single blank
    EXPECT_EQ(e[1].STR1[9], "j");
    EXPECT_EQ(e[0].STR1[1], "");  // a short line
    EXPECT_EQ(e[0].STR1[2], "N");
}

TEST_F(CsvImportTest, UnusableFilesLeaveTheTableAsItWas) {
    add("TA05C", "FT", "FATTURA");
    const auto before = ReadWholeFile(dati("TA05C.TAB"));
    struct Case {
        const char* what;
        std::string bytes;  // empty: no file at all
        std::string message;
    };
    const Case cases[] = {
        {"missing", "", "FILE NON TROVATO: " + dati("TA05C.CSV")},
        {"overlong", "A;B\r\nC;" + std::string(251, 'x') + "\r\n",
         "CAMPO 2 TROPPO LUNGO ALLA RIGA 2 (MASSIMO 250 CARATTERI)"},
        {"control",
         "A;B\r\nC;D\x01"
         "E\r\n",
         "IL FILE CSV CONTIENE CARATTERI NON VALIDI ALLA RIGA 2"},
        {"nul", std::string("A;B\0C\r\n", 7),
         "IL FILE CSV CONTIENE CARATTERI NON VALIDI ALLA RIGA 1"},
        {"undefined byte", "A;\x81\r\n", "IL FILE CSV CONTIENE CARATTERI NON VALIDI ALLA RIGA 1"},
    };
    for (const Case& c : cases) {
        if (c.bytes.empty()) {
            RemoveFile(dati("TA05C.CSV"));
        } else {
            writeCsv(c.bytes);
        }
        const auto shown = import();
        ASSERT_EQ(shown.size(), 1u) << c.what;
        EXPECT_EQ(shown[0], c.message + "\r\rLA TABELLA NON È STATA MODIFICATA") << c.what;
        EXPECT_EQ(ReadWholeFile(dati("TA05C.TAB")), before) << c.what;
    }
}

TEST_F(CsvImportTest, ReadsWindows1252AndUtf8Texts) {
    struct Case {
        std::string bytes;
        std::string description;
    };
    const Case cases[] = {
        {"UD;CITT\xC0 \x80\r\n", "CITTÀ €"},              // Windows-1252
        {"UD;CITT\xC3\x80 \xE2\x82\xAC\r\n", "CITTÀ €"},  // UTF-8
        {"\xEF\xBB\xBFUD;CITT\xC3\x80\r\n", "CITTÀ"},     // UTF-8 with its mark
        {"UD;CAFF\xC3\r\n", "CAFFÃ"},                     // not UTF-8: Windows-1252
    };
    for (const Case& c : cases) {
        const CsvRead read = ParseTableCsv(c.bytes, "TA05C");
        ASSERT_TRUE(read.ok()) << read.error;
        ASSERT_EQ(read.records.size(), 1u);
        EXPECT_EQ(TrimText(read.records[0].STR1[0]), "UD");
        EXPECT_EQ(TrimText(read.records[0].STR1[1]), c.description);
    }
}

TEST_F(CsvImportTest, AnEmptyFileEmptiesTheTable) {
    add("TA05C", "FT", "FATTURA");
    writeCsv("");
    EXPECT_EQ(import(),
              (std::vector<std::string>{"IMPORTAZIONE COMPLETATA: 0 RIGHE NELLA TABELLA TA05C"}));
    EXPECT_TRUE(entries("TA05C.TAB").empty());
}

}  // namespace
}  // namespace veltrano
