// The Qt views of the reference tables on the offscreen platform: the list
// window's keys and header sorting, and the recipe grid's typing rules.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "tables/beer_types_form.h"
#include "tables/ui/beer_types_view.h"
#include "tables/ui/list_view.h"
#include "tables_support.h"

namespace veltrano {
namespace {

using testing::TablesTest;

ListData Dates() {
    ListData d;
    d.title = "ACCISA";
    d.columns = {{"DALLA DATA", 11}, {"EURO / HLG", 11}};
    d.rows = {{7, {"15/12/2022", "2,9"}}, {8, {"02/01/2023", "3"}}, {9, {"01/01/2019", "2,99"}}};
    return d;
}

TEST(ListViewQt, EnterReturnsTheSelectedRowAndEscapeNothing) {
    ListModel model(Dates());
    ListView view(model);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_EQ(view.windowTitle(), QStringLiteral("ACCISA"));
    ASSERT_EQ(view.tree()->columnCount(), 2);
    EXPECT_EQ(view.tree()->headerItem()->text(0), QStringLiteral("DALLA DATA"));
    QTest::keyClick(view.tree(), Qt::Key_Down);
    QTest::keyClick(view.tree(), Qt::Key_Return);
    EXPECT_EQ(model.result(), 8);
    EXPECT_FALSE(view.isVisible());

    ListModel other(Dates());
    ListView second(other);
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    QTest::keyClick(second.tree(), Qt::Key_Down);
    QTest::keyClick(second.tree(), Qt::Key_Escape);
    EXPECT_EQ(other.result(), -1);
}

TEST(ListViewQt, AHeaderClickSortsByTheColumnText) {
    ListModel model(Dates());
    ListView view(model);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QHeaderView* header = view.tree()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionPosition(0) + 5, header->height() / 2));
    EXPECT_EQ(view.tree()->topLevelItem(0)->text(0), QStringLiteral("01/01/2019"));
    EXPECT_EQ(view.tree()->topLevelItem(1)->text(0), QStringLiteral("02/01/2023"));
    EXPECT_EQ(view.tree()->topLevelItem(2)->text(0), QStringLiteral("15/12/2022"));
    // The double click answers the row under the mouse.
    const QRect r = view.tree()->visualItemRect(view.tree()->topLevelItem(2));
    QTest::mouseClick(view.tree()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(view.tree()->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(model.result(), 7);
}

class BeerGridQt : public TablesTest {
protected:
    void SetUp() override {
        add("MATPRIME", "LIEVITO");
        add("MATPRIME", "MALTO PILS");
        session.mode = "PRAZ";
    }
    QString cell(int row) const { return view.grid()->item(row, 1)->text(); }
    BeerTypesForm form{session, dialogs};
    BeerTypesView view{form};
};

TEST_F(BeerGridQt, TypingInTheQuantityColumnStoresAtOnce) {
    form.open();
    view.sync();
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.refreshGrid();
    ASSERT_EQ(view.grid()->rowCount(), 2);
    EXPECT_EQ(cell(0), QStringLiteral("*"));
    EXPECT_EQ(view.grid()->item(0, 0)->text(), QStringLiteral("LIEVITO"));
    EXPECT_EQ(view.grid()->item(0, 0)->flags() & Qt::ItemIsEditable, Qt::NoItemFlags);

    form.keyPressed();
    form.type("LE0", "BIONDA");
    view.sync();
    view.grid()->setFocus();
    view.grid()->setCurrentCell(0, 1);
    QTest::keyClicks(view.grid(), "1.5x");
    EXPECT_EQ(cell(0), QStringLiteral("1,5"));
    EXPECT_DOUBLE_EQ(form.quantity(0), 1.5);
    QTest::keyClick(view.grid(), Qt::Key_Backspace);
    EXPECT_DOUBLE_EQ(form.quantity(0), 1);
    QTest::keyClick(view.grid(), Qt::Key_Return);
    EXPECT_EQ(view.grid()->currentRow(), 1);
    EXPECT_EQ(view.grid()->currentColumn(), 1);
    QTest::keyClicks(view.grid(), "180");
    EXPECT_DOUBLE_EQ(form.quantity(1), 180);
    QTest::keyClick(view.grid(), Qt::Key_Return);  // from the last row to "&CONFERMA"
    EXPECT_TRUE(view.confirmButton()->hasFocus());
}

TEST_F(BeerGridQt, EnteringTheGridWithoutABeerTypeGoesBackToIt) {
    form.open();
    view.sync();
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.grid()->setFocus();
    QTest::qWait(20);
    EXPECT_TRUE(view.widget("LE0")->hasFocus());
}

}  // namespace
}  // namespace veltrano
