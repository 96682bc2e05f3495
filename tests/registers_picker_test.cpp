#include <gtest/gtest.h>

#include "core/dates.h"
#include "core/record_file.h"
#include "registers/forms/modification.h"
#include "registers/forms/movement_picker.h"
#include "registers/year_files.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

MovementRecord movement(const std::string& kind, double date) {
    MovementRecord r;
    MovementBlank(r);
    r.TIPMOV = kind;
    r.DATMOV = date;
    return r;
}

class PickerTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    FixedClock clock{Date(2026, 6, 30)};
    Session session{work.folders(), clock};
    ScriptedDialogs dialogs;
    void SetUp() override { work.folders().create(); }

    MovementRecord insert(const std::string& ext, MovementRecord r) {
        MovementInsertOrdered(YearFilePath(work.folders(), YearOf(r.DATMOV), ext), r, dialogs);
        return r;
    }
    std::vector<std::string> firstCells(const ListData& d) const {
        std::vector<std::string> out;
        for (const auto& r : d.rows)
            out.push_back(r.cells.empty() ? "" : r.cells[0]);
        return out;
    }
};

TEST_F(PickerTest, WortNewestFirstWithSanitisationRows) {
    MovementRecord b = movement("C", Date(2026, 3, 2));
    b.NUMDOC = "14";
    b.LMOSTO = "L14";
    b.LITRII = 1000.5;
    b.GRAREA = 12.5;
    b.INIZIO = 100;
    b.FINALE = 1100;
    b.TBIRRA = "BIONDA";
    b = insert("CTT", b);
    MovementRecord s = movement("S", Date(2026, 3, 2));  // same day, later on the meter
    s.INIZIO = 1100;
    s.FINALE = 1400;
    s.LITRII = 300;
    s.NUMDOC = "ignored";
    s = insert("CTT", s);

    const ListData d = BuildPickerList(work.folders(), 'M', 2026);
    EXPECT_EQ(d.title, "MODIFICA UNA PRODUZIONE O UN LAVAGGIO ");
    ASSERT_EQ(d.rows.size(), 2u);
    EXPECT_EQ(d.rows[0].id, s.NUMMOV) << "the later record of the file first";
    EXPECT_EQ(d.rows[0].cells, (std::vector<std::string>{"02/03/2026", "lavaggio", "", "", "300",
                                                         "", "1100 - 1400", "* lavaggio *", ""}));
    EXPECT_EQ(d.rows[1].cells,
              (std::vector<std::string>{"02/03/2026", "COTTA", "14", "L14", "1.000,5", "12,5",
                                        "100 - 1100", "BIONDA", ""}));
    ASSERT_EQ(d.columns.size(), 9u);
    EXPECT_EQ(d.columns[0].caption, "DATA MOV.");
    EXPECT_EQ(d.columns[8].caption, "NOTA");
    EXPECT_TRUE(BuildPickerList(work.folders(), 'M', 2025).columns.empty())
        << "a missing year file: an empty list with no columns";
}

TEST_F(PickerTest, ConditionedTransferIsOneRow) {
    MovementRecord out = movement("I", Date(2026, 4, 1));
    out.ANNOTA = "dal tank 2";
    out = insert("CND", out);
    MovementRecord in = movement("K", Date(2026, 4, 1));
    in.NUMRIF = out.NUMMOV;
    insert("CND", in);
    MovementRecord waste = movement("Z", Date(2026, 4, 1));
    waste.NUMRIF = out.NUMMOV;
    insert("CND", waste);
    insert("CND", movement("S", Date(2026, 4, 2)));
    const ListData d = BuildPickerList(work.folders(), 'N', 2026);
    ASSERT_EQ(d.rows.size(), 2u);
    EXPECT_EQ(d.rows[1].id, out.NUMMOV);
    EXPECT_EQ(d.rows[1].cells[1], "I");
    EXPECT_EQ(d.rows[1].cells.back(), "travaso dal tank 2");
}

TEST_F(PickerTest, PreventiveCommunicationsAllOrUnsent) {
    MovementRecord sent = movement("", Date(2026, 5, 4));
    sent.NUMCTT = 7;
    sent.NUMDOC = "08:00";
    sent.LITPRE = 1000;
    sent.GRAPRE = 12;
    sent.DATPRE = Date(2026, 5, 1);
    sent.LMOSTO = "09:15";
    insert("PRV", sent);
    MovementRecord waiting = movement("", Date(2026, 5, 9));
    waiting.NUMCTT = 8;
    insert("PRV", waiting);
    const ListData all = BuildPickerList(work.folders(), 'C', 2026);
    ASSERT_EQ(all.rows.size(), 2u);
    EXPECT_EQ(all.rows[1].cells,
              (std::vector<std::string>{"04/05/2026", "08:00", "7", "", "1.000,00", "12,0",
                                        "01/05/2026 - 09:15"}));
    EXPECT_EQ(all.rows[0].cells.back(), "- - -");
    const ListData unsent = BuildPickerList(work.folders(), 'I', 2026);
    EXPECT_EQ(unsent.title, "COMUNICAZIONI PREVENTIVE DA INVIARE");
    ASSERT_EQ(unsent.rows.size(), 1u);
    EXPECT_EQ(unsent.rows[0].cells[2], "8");
}

TEST_F(PickerTest, OpenEadsAndSentTaxRecords) {
    auto ead = [&](const std::string& kind, const std::string& arc, double guarantee) {
        MovementRecord r = movement(kind, Date(2026, 2, 1));
        r.NUMDOC = arc;
        r.DATPRE = guarantee;
        r.ANNOTA = "IT00ABC";
        return insert("CND", r);
    };
    const MovementRecord first = ead("E", "ARC1", 10);
    ead("E", "ARC2", 5);
    ead("E", "ARC1", 2.5);
    ead("e", "ARC2", -5);
    const ListData e = BuildPickerList(work.folders(), 'E', 2026);
    ASSERT_EQ(e.rows.size(), 1u);
    EXPECT_EQ(e.rows[0].id, first.NUMMOV);
    EXPECT_EQ(e.rows[0].cells, (std::vector<std::string>{"01/02/2026", "IT00ABC", "ARC1", "12,5"}));
    EXPECT_TRUE(FileExists(JoinPath(work.folders().temp, "DACHIUDERE.DAT")));

    auto tax = [&](const std::string& type, const std::string& period, int flow,
                   const std::string& tipret) {
        MovementRecord r = movement("", Date(2026, 1, 1));
        r.TIPREC = type;
        r.CODPAE = period;
        r.TIPOPE = "I";
        r.TIPRET = tipret;
        r.NUMFLU = flow;
        r.DATFLU = flow > 0 ? Date(2026, 3, 16) : 0;
        r.LMOSTO = "2026";
        r.KIWATT = 1234.5;
        insert("DER", r);
    };
    tax("E", "01", 2, "");
    tax("E", "02", 0, "");   // not sent
    tax("R", "03", 3, "C");  // annulled
    tax("R", "04", 4, "");
    const ListData t = BuildPickerList(work.folders(), 'T', 2026);
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(firstCells(t), (std::vector<std::string>{"ACCISE - E ", "RAVVEDIMENTO-R"}))
        << "tax records in file order";
    EXPECT_EQ(t.rows[0].cells[1], "01-2026");
    EXPECT_EQ(t.rows[0].cells[2], "    1.234,50");
    EXPECT_EQ(t.rows[0].cells[3], "16/03/2026 - 2");
}

TEST_F(PickerTest, LotSummariesAnswerTheRecordPosition) {
    std::vector<MovementRecord> lots(3);
    const double hl[][2] = {{120, 120}, {80, 20}, {50, 0}};
    Bytes bytes;
    for (int k = 0; k < 3; ++k) {
        MovementBlank(lots[k]);
        lots[k].LMOSTO = "L" + std::to_string(k);
        lots[k].MECUBI = hl[k][0];
        lots[k].KILOGR = hl[k][1];
        const Bytes b = lots[k].encode();
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    ReplaceFileAtomically(JoinPath(work.folders().temp, "MOSTO.DAT"), ByteSpan{bytes});
    const ListData toCondition = BuildPickerList(work.folders(), '1', 0);
    EXPECT_EQ(firstCells(toCondition), (std::vector<std::string>{"L2", "L1"}));
    EXPECT_EQ(toCondition.rows[0].id, 2);
    EXPECT_EQ(toCondition.rows[1].cells[3], "60");
    EXPECT_EQ(BuildPickerList(work.folders(), '5', 0).rows.size(), 3u);
}

TEST_F(PickerTest, FormYearAndChoice) {
    insert("CTT", movement("S", Date(2025, 9, 1)));
    session.mode = "M";
    MovementPickerForm form(session, dialogs);
    EXPECT_EQ(form.caption(), "MODIFICA UNA PRODUZIONE O UN LAVAGGIO ");
    form.open();
    EXPECT_EQ(form.text("LANNO"), "2026");
    EXPECT_EQ(form.list().rowCount(), 0u);
    form.keyPressed();
    for (const char* bad : {"2018", "2061", "25"}) {
        form.type("LANNO", bad);
        EXPECT_FALSE(form.leave("LANNO").passed) << bad;
    }
    form.type("LANNO", "2025");
    ASSERT_TRUE(form.leave("LANNO").passed);
    ASSERT_EQ(form.list().rowCount(), 1u);
    form.chooseRow(0);
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(form.resultId(), 1);
    EXPECT_EQ(session.currentYear, "2025");

    form.open();
    form.abandon();
    EXPECT_EQ(form.resultId(), -1);

    session.mode = "M:2025";  // as UserDialogs::pickMovement opens it
    form.open();
    EXPECT_EQ(form.text("LANNO"), "2025");
    EXPECT_EQ(form.list().rowCount(), 1u);
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

TEST_F(PickerTest, ModificationOpensTheWindowOfTheKind) {
    const MovementRecord batch = insert("CTT", movement("C", Date(2026, 3, 1)));
    const MovementRecord wash = insert("CTT", movement("S", Date(2026, 3, 2)));
    auto target = PrepareModification(work.folders(), 'M', 2026, wash.NUMMOV);
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->window, "TFLAVAGGIO");
    EXPECT_EQ(CurrentMovement().NUMMOV, wash.NUMMOV);
    EXPECT_EQ(PrepareModification(work.folders(), 'M', 2026, batch.NUMMOV)->window, "TFPRODUZIONE");
    EXPECT_FALSE(PrepareModification(work.folders(), 'M', 2026, 99).has_value());

    struct Case {
        std::string kind, window, mode;
    };
    const Case cases[] = {{"C", "TFCONDIZIONAMENTO", "1"}, {"S", "TFCONDIZIONAMENTO", "2"},
                          {"R", "TFCONDIZIONAMENTO", "3"}, {"E", "TFCONDIZIONAMENTO", "4"},
                          {"Z", "TFSCARTO", "M"},          {"G", "TFCAUZIONE", "M"},
                          {"e", "TFNOTARICEVIMENTO", "M"}};
    for (const auto& c : cases) {
        const MovementRecord r = insert("CND", movement(c.kind, Date(2026, 4, 1)));
        const auto t = PrepareModification(work.folders(), 'N', 2026, r.NUMMOV);
        ASSERT_TRUE(t.has_value()) << c.kind;
        EXPECT_EQ(t->window, c.window) << c.kind;
        EXPECT_EQ(t->mode, c.mode) << c.kind;
    }
}

TEST_F(PickerTest, ModifyingATransferLoadsItsParts) {
    const MovementRecord out = insert("CND", movement("I", Date(2026, 4, 1)));
    MovementRecord in = movement("K", Date(2026, 4, 1));
    in.NUMRIF = out.NUMMOV;
    in = insert("CND", in);
    MovementRecord waste = movement("Z", Date(2026, 4, 1));
    waste.NUMRIF = out.NUMMOV;
    waste = insert("CND", waste);

    session.mode = "N";
    session.tag = 13;
    MovementPickerForm form(session, dialogs);
    form.open();
    ASSERT_EQ(form.list().rowCount(), 1u);
    form.chooseRow(0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, "open");
    EXPECT_NE(dialogs.shown[0].text.find("TFTRAVASI"), std::string::npos) << dialogs.shown[0].text;
    EXPECT_EQ(CurrentMovement().NUMMOV, out.NUMMOV);
    ASSERT_TRUE(TransferParts().load && TransferParts().waste);
    EXPECT_EQ(TransferParts().load->NUMMOV, in.NUMMOV);
    EXPECT_EQ(TransferParts().waste->NUMMOV, waste.NUMMOV);
    MovementBlank(CurrentMovement());
}

}  // namespace
}  // namespace veltrano
