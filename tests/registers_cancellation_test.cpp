#include <gtest/gtest.h>

#include "core/dates.h"
#include "core/record_file.h"
#include "registers/cancellation.h"
#include "registers/forms/cancellation_form.h"
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

std::vector<MovementRecord> stored(const std::string& path) {
    const RecordFile f = RecordFile::OpenIfPresent(path, MovementRecord::kSize);
    std::vector<MovementRecord> out;
    for (std::size_t k = 0; k < f.count(); ++k) {
        out.push_back(MovementRecord::decode(f.record(k)));
        MovementTrim(out.back());
    }
    return out;
}

class CancellationTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    FixedClock clock{Date(2026, 6, 30)};
    Session session{work.folders(), clock};
    ScriptedDialogs dialogs;

    void SetUp() override { work.folders().create(); }
    std::string path(const std::string& ext, int year = 2026) const {
        return YearFilePath(work.folders(), year, ext);
    }
    MovementRecord insert(const std::string& ext, MovementRecord r) {
        MovementInsertOrdered(path(ext, YearOf(r.DATMOV)), r, dialogs);
        return r;
    }
    std::unique_ptr<CancellationForm> openForm(const std::string& state) {
        session.mode = state;
        auto form = std::make_unique<CancellationForm>(session, dialogs);
        form->open();
        form->keyPressed();
        return form;
    }
};

TEST_F(CancellationTest, WortLinesNewestFirstAndTheBatchCascade) {
    MovementRecord b = movement("C", Date(2026, 3, 2));
    b.LITRII = 1000.5;
    b.GRAREA = 12.5;
    b.LMOSTO = "L7";
    b.TBIRRA = "BIONDA";
    b.INIZIO = 100;
    b.FINALE = 1100;
    b = insert("CTT", b);
    MovementRecord s = movement("S", Date(2026, 3, 3));
    s.INIZIO = 1100;
    s.FINALE = 1400;
    s.LITRII = 300;
    insert("CTT", s);
    MovementRecord unload = movement("S", Date(2026, 3, 2));
    unload.NUMRIF = b.NUMMOV;
    unload.TBIRRA = "MALTO";
    insert("MPR", unload);
    MovementRecord byHand = movement("S", Date(2026, 3, 2));
    byHand.TBIRRA = "LUPPOLO";
    insert("MPR", byHand);

    auto form = openForm("C");
    EXPECT_EQ(form->caption(), "Cancella produzioni e lavaggi ");
    EXPECT_EQ(form->text("MDADA"), "01/01/2026");
    EXPECT_EQ(form->text("MDAAL"), "30/06/2026");
    ASSERT_EQ(form->list().lines,
              (std::vector<std::string>{
                  " LAVAGGIO del 03/03/2026 - iniziale 1100  finale 1400  litri acqua 300",
                  " COTTA del 02/03/2026 litri 1.000,5 | gr.pl. 12,5 lotto L7 - BIONDA"}));

    form->setTicked(0, true);  // the sanitisation: the raw materials stay
    form->type("ECONF", "SI");
    form->leave("ECONF");
    EXPECT_TRUE(form->closed());
    EXPECT_EQ(stored(path("CTT")).size(), 1u);
    EXPECT_EQ(stored(path("MPR")).size(), 2u);

    form = openForm("C");
    form->setTicked(0, true);  // now the batch
    form->type("ECONF", "SI");
    form->leave("ECONF");
    EXPECT_TRUE(stored(path("CTT")).empty());
    const auto left = stored(path("MPR"));
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].TBIRRA, "LUPPOLO");
    EXPECT_EQ(dialogs.busyDepth, 0);
}

TEST_F(CancellationTest, OnlyTheExactSiDeletes) {
    insert("CND", movement("S", Date(2026, 2, 1)));
    for (const char* typed : {"si", "Si", "S", "NO", ""}) {
        auto form = openForm("N");
        form->setTicked(0, true);
        form->type("ECONF", typed);
        const Check c = form->leave("ECONF");
        EXPECT_FALSE(c.passed) << typed;
        EXPECT_EQ(c.field, "ELENCO");
        EXPECT_FALSE(form->closed());
    }
    EXPECT_EQ(stored(path("CND")).size(), 1u);
}

TEST_F(CancellationTest, TicksSurviveAnUnchangedPeriod) {
    for (int d = 1; d <= 3; ++d)
        insert("MPR", movement("C", Date(2026, 4, d)));
    auto form = openForm("P");
    ASSERT_EQ(form->list().lines.size(), 3u);
    form->setTicked(1, true);
    form->type("MDAAL", "30/06/2026");
    form->leave("MDAAL");
    EXPECT_TRUE(form->ticked(1)) << "same dates: the list is not rebuilt";
    form->press("BTUTTI");
    EXPECT_TRUE(form->ticked(0) && form->ticked(1) && form->ticked(2));
    form->press("BNESSUNO");
    EXPECT_FALSE(form->ticked(0) || form->ticked(1) || form->ticked(2));
    form->setTicked(2, true);
    form->type("MDAAL", "02/04/2026");
    ASSERT_TRUE(form->leave("MDAAL").passed);
    EXPECT_EQ(form->list().lines.size(), 2u);
    EXPECT_FALSE(form->ticked(0) || form->ticked(1)) << "a new period starts without ticks";
    EXPECT_EQ(form->list().lines[0].rfind(" CARICO del 02/04/2026 quantità 0 | ", 0), 0u)
        << form->list().lines[0];
}

TEST_F(CancellationTest, PeriodChecks) {
    auto form = openForm("C");
    form->type("MDADA", "01/12/2025");
    EXPECT_TRUE(form->leave("MDADA").passed);
    const Check across = form->leave("MDAAL");
    EXPECT_FALSE(across.passed);
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{CancellationForm::kNotSameYear});
    dialogs.clear();
    form->type("MDADA", "01/07/2026");
    EXPECT_FALSE(form->leave("MDAAL").passed) << "the end before the start";
    form->type("MDADA", "31/02/2026");
    EXPECT_EQ(form->leave("MDADA").field, "MDADA");
    form->type("MDADA", "01/01/1999");
    EXPECT_FALSE(form->leave("MDADA").passed);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(CancellationTest, PreventiveCommunicationsUpToFiveDaysAhead) {
    MovementRecord sent = movement("", Date(2026, 7, 5));
    sent.NUMCTT = 12;
    sent.TBIRRA = "ROSSA";
    sent.LITPRE = 800;
    sent.DATPRE = Date(2026, 7, 1);
    sent.LMOSTO = "10:30";
    insert("PRV", sent);
    MovementRecord late = movement("", Date(2026, 7, 6));
    late.NUMCTT = 13;
    insert("PRV", late);
    const auto list =
        BuildCancellationList(work.folders(), 'p', Date(2026, 1, 1), Date(2026, 6, 30));
    EXPECT_EQ(
        list.lines,
        (std::vector<std::string>{"05/07/2026 N° 12 ROSSA quantità 800 --> 01/07/2026 ore 10:30"}));
}

TEST_F(CancellationTest, ConditionedLines) {
    MovementRecord g = movement("G", Date(2026, 5, 2));
    g.NUMDOC = "B12";
    g.DATPRE = 1500;
    insert("CND", g);
    MovementRecord keg = movement("S", Date(2026, 5, 3));
    keg.NUMDOC = "F9";
    keg.LMOSTO = "L1";
    keg.LITRII = 2.4;
    keg.FINALE = 1;
    keg.LITPRE = 0;
    keg.KIWATT = 7.5;
    keg.TBIRRA = "BIONDA";
    insert("CND", keg);
    const auto list =
        BuildCancellationList(work.folders(), 'N', Date(2026, 1, 1), Date(2026, 6, 30));
    EXPECT_EQ(list.lines, (std::vector<std::string>{
                              "S 03/05/2026 F9 L1 Hlg 2,4 cont. 1x vol. SFUSO accisa 7,50 BIONDA",
                              "G 02/05/2026 B12 versamento cauzione 1.500,00"}));
}

MovementRecord taxRecord(const std::string& type, const std::string& period,
                         const std::string& operation, double flowDate) {
    MovementRecord r = movement("", Date(2026, 1, 1));
    r.TIPREC = type;
    r.CODPAE = period;
    r.TIPOPE = operation;
    r.DATFLU = flowDate;
    r.NUMFLU = flowDate > 0 ? 3 : 0;
    r.LMOSTO = "2026";
    return r;
}

TEST_F(CancellationTest, TaxRecordsAndTheRestoredRectification) {
    MovementRecord original = taxRecord("E", "02", "I", Date(2026, 3, 16));
    original.KIWATT = 100;
    original.TIPRET = "C";  // annulled by the rectification below
    original = insert("DER", original);
    MovementRecord annul = taxRecord("E", "02", "C", 0);
    annul.NUMRIF = original.NUMMOV;
    annul.KIWATT = 100;
    annul = insert("DER", annul);
    MovementRecord replacement = taxRecord("E", "02", "I", 0);
    replacement.NUMRIF = original.NUMMOV;
    replacement.TIPRET = "R";
    replacement.KIWATT = 120;
    insert("DER", replacement);
    MovementRecord late = taxRecord("R", "04", "I", 0);
    late.LITPRE = 10;
    late.LITRII = 1;
    late.KIWATT = 0.25;
    insert("DER", late);

    const auto unsent =
        BuildCancellationList(work.folders(), 'T', Date(2026, 6, 1), Date(2026, 6, 30));
    EXPECT_EQ(unsent.lines, (std::vector<std::string>{
                                "02/2026 accisa a debito 120,00 ",
                                "04/2026 ravvedimento |maggiori tributi: 10,00 |sanzione: 1,00 "
                                "|interessi: 0,25"}));

    auto form = openForm("t");
    ASSERT_EQ(form->list().lines, std::vector<std::string>{"02/2026 accisa a debito 100,00 "});
    form->setTicked(0, true);
    form->type("ECONF", "SI");
    form->leave("ECONF");
    const auto left = stored(path("DER"));
    ASSERT_EQ(left.size(), 2u) << "the annulment and its replacement are gone";
    EXPECT_EQ(left[0].NUMMOV, original.NUMMOV);
    EXPECT_EQ(left[0].TIPRET, "") << "the rectified record is in force again";
    EXPECT_EQ(left[1].TIPREC, "R");
}

TEST_F(CancellationTest, AnErrorInTheMiddleSaysWhatWasAlreadyDeleted) {
    const MovementRecord b = insert("CTT", movement("C", Date(2026, 3, 2)));
    insert("CTT", movement("S", Date(2026, 3, 3)));
    auto form = openForm("C");
    ASSERT_EQ(form->list().lines.size(), 2u);
    form->press("BTUTTI");
    // The batch's raw-materials file is damaged: the batch cannot take its unloads.
    const Bytes damaged(100, 0);
    ReplaceFileAtomically(path("MPR"), ByteSpan{damaged});
    form->type("ECONF", "SI");
    form->leave("ECONF");
    const auto left = stored(path("CTT"));
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].NUMMOV, b.NUMMOV) << "the sanitisation went, the batch stayed";
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const std::string m = dialogs.messages()[0];
    EXPECT_NE(m.find("2026.MPR"), std::string::npos) << m;
    EXPECT_NE(m.find("Righe già cancellate: 1\r LAVAGGIO del 03/03/2026"), std::string::npos) << m;
}

TEST_F(CancellationTest, OpenEads) {
    auto ead = [&](const std::string& kind, const std::string& arc, double guarantee) {
        MovementRecord r = movement(kind, Date(2026, 2, 1));
        r.NUMDOC = arc;
        r.DATPRE = guarantee;
        r.DATFLU = guarantee * 10;
        insert("CND", r);
    };
    ead("E", "ARC1", 10);
    ead("E", "ARC2", 5);
    ead("E", "ARC1", 2.5);
    ead("e", "ARC2", -5);
    const auto open = OpenEads(path("CND"));
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].NUMDOC, "ARC1");
    EXPECT_EQ(open[0].DATPRE, 12.5);
    EXPECT_EQ(open[0].DATFLU, 125);
    EXPECT_TRUE(OpenEads(path("CND", 2020)).empty());
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

TEST_F(CancellationTest, AKeptWindowTakesTheStateOfEachOpening) {
    insert("MPR", movement("C", Date(2026, 4, 1)));
    session.mode = "C";
    CancellationForm form(session, dialogs);
    form.open();
    EXPECT_EQ(form.caption(), "Cancella produzioni e lavaggi ");
    EXPECT_TRUE(form.list().lines.empty());
    session.mode = "P";
    form.open();
    EXPECT_EQ(form.state(), 'P');
    EXPECT_EQ(form.caption(), "Cancella i movimenti di carico e scarico delle materie prime");
    EXPECT_EQ(form.list().lines.size(), 1u);
}

}  // namespace
}  // namespace veltrano
