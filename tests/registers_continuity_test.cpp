#include <gtest/gtest.h>

#include "core/dates.h"
#include "registers/forms/meter_continuity_form.h"
#include "registers/year_files.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

// Every character half the font size wide; lines 1.2 times the size.
class FixedMetrics : public TextMetrics {
public:
    double textWidth(const TextFont& f, std::string_view s) const override {
        return 0.5 * f.size * static_cast<double>(s.size());
    }
    double lineHeight(const TextFont& f) const override { return 1.2 * f.size; }
};

class KeptViewer : public ReportViewer {
public:
    void show(ReportDocument d, const std::string& c) override {
        documents.push_back(std::move(d));
        captions.push_back(c);
    }
    std::vector<ReportDocument> documents;
    std::vector<std::string> captions;
};

class ContinuityTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    FixedClock clock{Date(2026, 6, 30)};
    Session session{work.folders(), clock};
    ScriptedDialogs dialogs;
    FixedMetrics metrics;
    KeptViewer viewer;
    MeterContinuityForm form{session, dialogs, metrics, viewer};
    void SetUp() override { work.folders().create(); }

    void wort(const std::string& kind, int month, int day, int from, int to,
              const std::string& numdoc = "") {
        MovementRecord r;
        MovementBlank(r);
        r.TIPMOV = kind;
        r.DATMOV = Date(2026, month, day);
        r.INIZIO = from;
        r.FINALE = to;
        r.NUMDOC = numdoc;
        MovementInsertOrdered(YearFilePath(work.folders(), 2026, "CTT"), r, dialogs);
    }
};

TEST_F(ContinuityTest, ReportOfTheBreaksInThePreview) {
    wort("C", 3, 1, 1000, 1500, "21");
    wort("S", 3, 2, 1510, 1600);
    form.open();
    EXPECT_EQ(form.text("MDADA"), "01/01/2026");
    EXPECT_EQ(form.text("MDAAL"), "30/06/2026");
    form.keyPressed();
    form.confirm();
    ASSERT_EQ(viewer.documents.size(), 1u);
    const ReportDocument& d = viewer.documents[0];
    const auto head =
        d.find("Controllo della continuità del contalitri  dal 01/01/2026 al 30/06/2026");
    ASSERT_EQ(head.size(), 1u);
    EXPECT_EQ(head[0]->font.name, "TIMES NEW ROMAN");
    EXPECT_EQ(head[0]->font.size, 12);
    const auto lines = d.findPrefix("In data 02/03/2026 il contalitri parte da 1510");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0]->text.find("COTTA N. 21 del 01/03/2026 finiva a 1500"), std::string::npos);
    EXPECT_EQ(lines[0]->font.size, 8);
}

TEST_F(ContinuityTest, NoBreakSaysSoAndManyBreaksTakeMorePages) {
    wort("C", 3, 1, 1000, 1500, "1");
    wort("S", 3, 2, 1500, 1600);
    form.open();
    form.keyPressed();
    form.confirm();
    ASSERT_EQ(viewer.documents.size(), 1u);
    EXPECT_EQ(viewer.documents[0].find(kNoMeterBreaks).size(), 1u);

    RecordingSurface surface(metrics);
    std::vector<std::string> many(200, "In data 01/01/2026 ...");
    DrawMeterContinuityReport(surface, "01/01/2026", "31/12/2026", many);
    const ReportDocument doc = surface.takeDocument();
    ASSERT_GT(doc.pages.size(), 1u);
    EXPECT_EQ(doc.find(many[0]).size(), 200u) << "no line lost at a page break";
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        EXPECT_EQ(doc.findPrefix("Controllo della continuità", p).size(), 1u) << p;
        for (const DrawnItem* t : doc.texts(p))
            EXPECT_LE(t->y, doc.pageHeight) << p;
    }
}

TEST_F(ContinuityTest, PeriodChecks) {
    struct Case {
        std::string from, to, focus;
    };
    const Case cases[] = {{"01/01/1999", "31/12/2026", "MDADA"},
                          {"31/02/2026", "31/12/2026", "MDADA"},
                          {"01/06/2026", "31/05/2026", "MDAAL"},
                          {"01/01/2026", "01/01/2101", "MDAAL"}};
    for (const auto& c : cases) {
        form.open();
        form.keyPressed();
        form.type("MDADA", c.from);
        form.type("MDAAL", c.to);
        const Check check = form.reachConfirm();
        EXPECT_FALSE(check.passed) << c.from << " " << c.to;
        EXPECT_EQ(check.field, c.focus);
        form.confirm();
    }
    EXPECT_TRUE(viewer.documents.empty());
}

}  // namespace
}  // namespace veltrano
