#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "admin/demo.h"
#include "platform/report/qt_text_metrics.h"
#include "platform/report/report_preview.h"
#include "prints/register_print_form.h"
#include "registers/forms/cancellation_form.h"
#include "registers/forms/movement_picker.h"
#include "registers/forms/stock_form.h"
#include "registers/ui/register_views.h"
#include "shell/window_registry.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

// With VELTRANO_SHOTS set, each window is also saved there as a PNG to look at.
void shot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("VELTRANO_SHOTS");
    if (dir.isEmpty()) return;
    w.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
}

class RegisterViewsTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    FixedClock clock{Date(2026, 12, 11)};
    Session session{work.folders(), clock};
    ScriptedDialogs dialogs;
    void SetUp() override {
        work.folders().create();
        ASSERT_TRUE(admin::CreateDemo(work.folders(), 2025, dialogs));
    }
    static void settle() {
        for (int k = 0; k < 5; ++k) {
            QTest::qWait(60);  // the views follow their models every 50 ms
        }
    }
};

TEST_F(RegisterViewsTest, StockListAndTheHiddenButton) {
    session.company.TIPOIN = "S";
    StockForm model(session, dialogs);
    StockView view(model);
    model.open();
    view.sync();
    view.show();
    model.keyPressed();
    model.type("LANNO", "2026");
    ASSERT_TRUE(model.leave("LANNO").passed);
    model.confirm();
    view.sync();
    settle();
    EXPECT_TRUE(view.results()->toPlainText().startsWith("GIACENZE MATERIE PRIME:"));
    EXPECT_TRUE(view.results()->toPlainText().contains(" giacenza: "));
    EXPECT_FALSE(view.widget("RIPORTI")->isVisible());
    EXPECT_FALSE(view.confirmButton()->isVisible());
    shot(view, "TFGIACENZE");
}

TEST_F(RegisterViewsTest, CancellationTicksReachTheModel) {
    session.mode = "C";
    CancellationForm model(session, dialogs);
    CancellationView view(model);
    model.open();
    model.keyPressed();
    model.type("MDADA", "01/01/2025");
    model.type("MDAAL", "31/12/2025");
    ASSERT_TRUE(model.leave("MDAAL").passed);
    view.sync();
    view.show();
    settle();
    ASSERT_GT(view.list()->count(), 1);
    ASSERT_EQ(view.list()->count(), static_cast<int>(model.list().lines.size()));
    view.list()->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(model.ticked(1));
    EXPECT_FALSE(model.ticked(0));
    auto* all = qobject_cast<QPushButton*>(view.widget("BTUTTI"));
    ASSERT_NE(all, nullptr);
    all->click();
    settle();
    for (int k = 0; k < view.list()->count(); ++k) {
        EXPECT_EQ(view.list()->item(k)->checkState(), Qt::Checked) << k;
    }
    EXPECT_FALSE(view.confirmButton()->isVisible());
    EXPECT_FALSE(view.widget("ELENCO")->isVisible());
    shot(view, "TFCANCMOVIM");
}

TEST_F(RegisterViewsTest, PickerSortsAndEnterChooses) {
    session.mode = "M:2025";
    MovementPickerForm model(session, dialogs);
    MovementPickerView view(model);
    model.open();
    view.sync();
    view.show();
    settle();
    QTreeWidget* tree = view.tree();
    ASSERT_EQ(tree->topLevelItemCount(), static_cast<int>(model.list().rowCount()));
    ASSERT_GT(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->headerItem()->text(0), "DATA MOV.");
    shot(view, "TFSCEGLIMOVIMENTO");

    // The "CAUSALE" header: "COTTA" rows before "lavaggio" rows.
    emit tree->header()->sectionClicked(1);
    EXPECT_EQ(tree->topLevelItem(0)->text(1), "COTTA");
    EXPECT_EQ(tree->topLevelItem(tree->topLevelItemCount() - 1)->text(1), "lavaggio");

    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(0));
    const int expected = model.list().row(0).id;
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_TRUE(model.closed());
    EXPECT_EQ(model.resultId(), expected);
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

// The wort register's print dialog in the generic view: its two options are tick
// boxes.
TEST_F(RegisterViewsTest, PrintDialogTickBoxes) {
    WindowRegistry registry;
    QtTextMetrics metrics;
    QtPrinterCatalog printers;
    QtReportViewer viewer;
    RegisterPrintWindows(registry, PrintServices{&metrics, &printers, &viewer});
    const FormFactory* make = registry.find("TFSTAREGCARSCA");
    ASSERT_NE(make, nullptr);
    std::unique_ptr<FormModel> model = (*make)(session, dialogs);
    FormView view(*model);
    model->open();
    view.sync();
    view.show();
    settle();
    for (const char* name : {"CTEST", "CMANUALE"}) {
        EXPECT_NE(qobject_cast<QCheckBox*>(view.widget(name)), nullptr) << name;
    }
    shot(view, "TFSTAREGCARSCA");
}

}  // namespace
}  // namespace veltrano
