#include "tables/ui/beer_types_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace veltrano {
namespace {

const QColor kHeaderGreen(0, 128, 0);
const QColor kNameBlue(0, 0, 255);

}  // namespace

BeerTypesView::BeerTypesView(BeerTypesForm& model, QWidget* parent)
    : FormView(model, parent), beer_(model) {
    auto* outer = qobject_cast<QVBoxLayout*>(layout());
    auto* note = new QLabel(
        QStringLiteral("Indica le quantità di materia prima che viene utilizzata per ogni cotta"),
        this);
    grid_ = new QTableWidget(0, 2, this);
    grid_->setObjectName(QStringLiteral("STGRID"));
    grid_->setHorizontalHeaderLabels(
        {QStringLiteral("Materia prima"), QStringLiteral("Quantità/cotta")});
    grid_->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { color: rgb(0,128,0); font-weight: bold; }"));
    grid_->verticalHeader()->setVisible(false);
    grid_->setColumnWidth(0, 635);
    grid_->setColumnWidth(1, 105);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setTabKeyNavigation(false);
    grid_->setMinimumWidth(635 + 105 + 24);
    grid_->setMinimumHeight(260);
    grid_->installEventFilter(this);
    if (outer != nullptr) {
        outer->insertWidget(1, note);
        outer->insertWidget(2, grid_, 1);
    }
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { styleRows(); });
    if (QWidget* b = widget("BNUOVAMP")) {
        connect(qobject_cast<QPushButton*>(b), &QPushButton::clicked, this,
                [this] { refreshGrid(); });
    }
    // The model changes its rows in steps the generic view drives (leaving the
    // beer type loads its recipe); a short poll shows them without a hook there.
    poll_ = new QTimer(this);
    poll_->setInterval(50);
    connect(poll_, &QTimer::timeout, this, [this] { refreshGrid(); });
    poll_->start();
}

void BeerTypesView::refreshGrid() {
    if (beer_.gridRevision() != shownRevision_) fillGrid();
    if (const auto row = beer_.takeGridCursor()) {
        if (grid_->rowCount() > 0) grid_->setCurrentCell(static_cast<int>(*row), 1);
    }
}

void BeerTypesView::fillGrid() {
    shownRevision_ = beer_.gridRevision();
    const int current = grid_->currentRow();
    grid_->setRowCount(static_cast<int>(beer_.gridRows()));
    for (std::size_t r = 0; r < beer_.gridRows(); ++r) {
        auto* name = new QTableWidgetItem(QString::fromStdString(beer_.materialName(r)));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        auto* qty = new QTableWidgetItem(QString::fromStdString(beer_.quantityText(r)));
        qty->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(static_cast<int>(r), 0, name);
        grid_->setItem(static_cast<int>(r), 1, qty);
    }
    if (current >= 0 && current < grid_->rowCount()) grid_->setCurrentCell(current, 1);
    styleRows();
}

void BeerTypesView::styleRows() {
    const int current = grid_->currentRow();
    for (int r = 0; r < grid_->rowCount(); ++r) {
        QTableWidgetItem* name = grid_->item(r, 0);
        if (name == nullptr) continue;
        QFont f = grid_->font();
        f.setBold(r == current);
        name->setFont(f);
        name->setForeground(r == current ? QBrush(Qt::black) : QBrush(kNameBlue));
    }
}

bool BeerTypesView::gridKey(int key, const QString& text) {
    const int row = grid_->currentRow();
    if (row < 0) return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (row + 1 < grid_->rowCount()) {
            grid_->setCurrentCell(row + 1, 1);
        } else {
            confirmButton()->setFocus(Qt::TabFocusReason);
        }
        return true;
    }
    const auto r = static_cast<std::size_t>(row);
    std::string cell = beer_.quantityText(r);
    if (key == Qt::Key_Backspace) {
        if (!cell.empty()) cell.pop_back();
    } else if (text.size() == 1 &&
               (text[0].isDigit() || text[0] == QLatin1Char(',') || text[0] == QLatin1Char('.'))) {
        if (cell == "*") cell.clear();
        cell += text.toStdString();
    } else {
        return false;
    }
    const std::string before = beer_.quantityText(r);
    const std::string accepted = beer_.typeQuantity(r, cell);
    if (accepted == before && key != Qt::Key_Backspace) QApplication::beep();
    grid_->item(row, 1)->setText(QString::fromStdString(accepted));
    shownRevision_ = beer_.gridRevision();
    grid_->setCurrentCell(row, 1);
    return true;
}

bool BeerTypesView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_) {
        if (event->type() == QEvent::FocusIn) {
            if (!beer_.enterGrid()) {
                QTimer::singleShot(0, this, [this] { sync(); });
                return false;
            }
            if (grid_->currentColumn() != 1 && grid_->rowCount() > 0) {
                grid_->setCurrentCell(std::max(grid_->currentRow(), 0), 1);
            }
        }
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            beer_.keyPressed();
            const int k = key->key();
            const bool navigation =
                k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_Left || k == Qt::Key_Right ||
                k == Qt::Key_PageUp || k == Qt::Key_PageDown || k == Qt::Key_Home ||
                k == Qt::Key_End || k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Escape;
            if (navigation) return false;
            if (grid_->currentColumn() != 1) grid_->setCurrentCell(grid_->currentRow(), 1);
            if (!gridKey(k, key->text()) && !key->text().isEmpty()) QApplication::beep();
            return true;
        }
    }
    return FormView::eventFilter(watched, event);
}

}  // namespace veltrano
