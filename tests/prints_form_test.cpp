// The wort print window through the shell's form framework.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/dates.h"
#include "platform/report/qt_text_metrics.h"
#include "prints/demo_wort.h"
#include "prints/register_print_form.h"
#include "registers/year_files.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;

class NoDialogs : public UserDialogs {
public:
    std::vector<std::string> shown;
    void inform(const std::string& t) override { shown.push_back(t); }
    void warn(const std::string& t) override { shown.push_back(t); }
    bool askYesNo(const std::string&) override { return true; }
    bool askOkNo(const std::string&) override { return true; }
    int chooseFromList(const std::string&) override { return -1; }
    int pickMovement(const std::string&, int) override { return -1; }
    WindowResult open(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> chooseFile(const std::string&) override { return std::nullopt; }
    void setBusy(bool) override {}
};

class KeptViewer : public ReportViewer {
public:
    std::vector<std::pair<ReportDocument, std::string>> shown;
    void show(ReportDocument d, const std::string& c) override {
        shown.push_back({std::move(d), c});
    }
};

TEST(RegisterPrintForm, WortWindowFromTheRegistry) {
    const fs::path root =
        fs::temp_directory_path() / ("veltrano_print_form_" + std::to_string(::getpid()));
    fs::remove_all(root);
    FixedClock clock(EncodeDate(2025, 3, 20) + 0.5);
    Session session(Folders::At((root / "work").string(), (root / "tmp").string()), clock);
    session.folders.create();
    WriteSyntheticWortYear(YearFilePath(session.folders, 2025, "CTT"), 2025, 200);
    session.company.DENOM1 = "BIRRIFICIO DEL LAGO SRL";
    session.company.CACCI1 = "IT00COA00001X";
    session.tag = 1;

    QtTextMetrics metrics;
    KeptViewer viewer;
    WindowRegistry registry;
    RegisterPrintWindows(registry, {&metrics, nullptr, &viewer});
    const FormFactory* factory = registry.find("TFSTAREGCARSCA");
    ASSERT_TRUE(factory);
    NoDialogs dialogs;
    std::unique_ptr<FormModel> form = (*factory)(session, dialogs);
    form->open();
    EXPECT_EQ(form->caption(), "Registro del Mosto per GIORNO");
    EXPECT_EQ(form->text("MDADA"), "01/03/2025");
    EXPECT_EQ(form->text("MDAAL"), "20/03/2025");
    EXPECT_EQ(form->text("RTIPO"), "1");
    EXPECT_TRUE(form->visible("INTERI2"));
    EXPECT_FALSE(form->visible("MFOGLI"));
    form->keyPressed();

    form->type("RTIPO", "0");
    EXPECT_FALSE(form->visible("INTERI2"));
    form->type("MDAAL", "10/02/2025");
    EXPECT_FALSE(form->leave("MDAAL"));
    EXPECT_EQ(form->takeFocusRequest(), "MDADA");
    form->type("MDAAL", "20/03/2025");
    EXPECT_TRUE(form->reachConfirm());
    form->confirm();
    EXPECT_TRUE(form->closed());
    ASSERT_EQ(viewer.shown.size(), 1u);
    EXPECT_EQ(viewer.shown[0].second, "Registro del Mosto per GIORNO");
    const ReportDocument& d = viewer.shown[0].first;
    EXPECT_FALSE(d.findPrefix("DATA: ").empty());
    EXPECT_FALSE(d.find("BIRRIFICIO DEL LAGO SRL").empty());
    EXPECT_TRUE(dialogs.shown.empty());

    // The headings panel, with the check box as a two-way choice; the same
    // window opened from the per-period entry takes that caption.
    session.tag = 2;
    form->open();
    EXPECT_EQ(form->caption(), "Registro del Mosto per PERIODO");
    form->keyPressed();
    form->type("RTIPO", "2");
    EXPECT_TRUE(form->visible("CTEST"));
    form->type("MFOGLI", "4");
    EXPECT_TRUE(form->leave("MFOGLI"));
    EXPECT_EQ(form->text("DIFOGLI"), " di 4 Es. Fin. 2025");
    form->type("CMANUALE", "1");
    form->confirm();
    ASSERT_EQ(viewer.shown.size(), 2u);
    EXPECT_EQ(viewer.shown[1].first.pages.size(), 5u);
    EXPECT_EQ(viewer.shown[1].first.find("Pagina 4 di 4 Es. Fin. 2025").size(), 1u);
    EXPECT_EQ(viewer.shown[1].first.find("ANNOTAZIONI").size(), 4u);
    fs::remove_all(root);
}

}  // namespace
}  // namespace veltrano
