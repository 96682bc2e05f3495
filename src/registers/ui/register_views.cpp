#include "registers/ui/register_views.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "registers/forms/cancellation_form.h"
#include "registers/forms/movement_picker.h"
#include "registers/forms/stock_form.h"
#include "shell/ui/window_host.h"

namespace veltrano {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The models change in steps that the generic view drives; a short poll of the
// model's revision shows those changes without a hook in the generic view.
QTimer* startPoll(QObject* owner, const std::function<void()>& refresh) {
    auto* poll = new QTimer(owner);
    poll->setInterval(50);
    QObject::connect(poll, &QTimer::timeout, owner, refresh);
    poll->start();
    return poll;
}

// The one-line text the generic view builds for a list field gives way to the
// window's own list; the generic view shows the rows of visible fields again at
// each sync, so the hiding is repeated at every refresh.
void hideField(FormView& view, const std::string& name) {
    if (QWidget* w = view.widget(name); w != nullptr && w->isVisible()) w->hide();
}

QFont listFont() {
    QFont f(QStringLiteral("Liberation Mono"));
    f.setPointSize(9);
    return f;
}

}  // namespace

StockView::StockView(StockForm& model, QWidget* parent) : FormView(model, parent), stock_(model) {
    hideField(*this, "RIPORTI");
    results_ = new QPlainTextEdit(this);
    results_->setObjectName(QStringLiteral("RIPORTI"));
    results_->setReadOnly(true);
    results_->setFont(listFont());
    results_->setMinimumSize(640, 320);
    results_->setFocusPolicy(Qt::NoFocus);
    if (auto* outer = qobject_cast<QVBoxLayout*>(layout())) outer->insertWidget(1, results_, 1);
    poll_ = startPoll(this, [this] { refresh(); });
}

void StockView::refresh() {
    hideField(*this, "RIPORTI");
    if (stock_.revision() == shown_) return;
    shown_ = stock_.revision();
    const QString text = Q(stock_.text("RIPORTI"));
    if (results_->toPlainText() != text) results_->setPlainText(text);
    confirmButton()->setVisible(stock_.visible("BCONF"));
}

CancellationView::CancellationView(CancellationForm& model, QWidget* parent)
    : FormView(model, parent), cancel_(model) {
    hideField(*this, "ELENCO");
    confirmButton()->hide();
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ELENCO"));
    list_->setFont(listFont());
    list_->setMinimumSize(640, 300);
    if (auto* outer = qobject_cast<QVBoxLayout*>(layout())) outer->insertWidget(1, list_, 1);
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (filling_) return;
        cancel_.setTicked(static_cast<std::size_t>(list_->row(item)),
                          item->checkState() == Qt::Checked);
    });
    for (const char* name : {"BTUTTI", "BNESSUNO"}) {
        if (auto* b = qobject_cast<QPushButton*>(widget(name))) {
            // After the model ticked or unticked every line.
            connect(b, &QPushButton::clicked, this, [this] {
                shown_ = static_cast<unsigned>(-1);
                refresh();
            });
        }
    }
    poll_ = startPoll(this, [this] { refresh(); });
}

void CancellationView::refresh() {
    hideField(*this, "ELENCO");
    if (cancel_.revision() == shown_) return;
    shown_ = cancel_.revision();
    filling_ = true;
    const auto& lines = cancel_.list().lines;
    if (list_->count() != static_cast<int>(lines.size())) {
        list_->clear();
        for (const auto& line : lines) {
            auto* item = new QListWidgetItem(Q(line), list_);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        }
    }
    for (int k = 0; k < list_->count(); ++k) {
        QListWidgetItem* item = list_->item(k);
        if (item->text() != Q(lines[static_cast<std::size_t>(k)])) {
            item->setText(Q(lines[static_cast<std::size_t>(k)]));
        }
        item->setCheckState(cancel_.ticked(static_cast<std::size_t>(k)) ? Qt::Checked
                                                                        : Qt::Unchecked);
    }
    filling_ = false;
}

MovementPickerView::MovementPickerView(MovementPickerForm& model, QWidget* parent)
    : FormView(model, parent), picker_(model) {
    confirmButton()->hide();
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("LISTA"));
    tree_->setRootIsDecorated(false);
    tree_->setFont(listFont());
    tree_->setAllColumnsShowFocus(true);
    tree_->setMinimumSize(640, 360);
    tree_->installEventFilter(this);
    tree_->header()->setSectionsClickable(true);
    if (auto* outer = qobject_cast<QVBoxLayout*>(layout())) outer->insertWidget(1, tree_, 1);
    connect(tree_->header(), &QHeaderView::sectionClicked, this, [this](int section) {
        const auto& shown = picker_.list().shownColumns();
        if (section < 0 || static_cast<std::size_t>(section) >= shown.size()) return;
        picker_.list().sortBy(shown[static_cast<std::size_t>(section)]);
        fill();
    });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { chooseCurrent(); });
    poll_ = startPoll(this, [this] { refresh(false); });
}

void MovementPickerView::refresh(bool force) {
    if (!force && picker_.revision() == shown_) return;
    shown_ = picker_.revision();
    fill();
}

void MovementPickerView::fill() {
    const ListModel& list = picker_.list();
    tree_->clear();
    QStringList headers;
    const QFontMetrics fm(tree_->font());
    const int letter = fm.horizontalAdvance(QLatin1Char('W'));
    for (const std::size_t c : list.shownColumns())
        headers << Q(list.caption(c));
    tree_->setHeaderLabels(headers);
    int k = 0;
    for (const std::size_t c : list.shownColumns()) {
        tree_->setColumnWidth(k++, (list.width(c) + 2) * letter);
    }
    for (std::size_t r = 0; r < list.rowCount(); ++r) {
        QStringList cells;
        for (const std::size_t c : list.shownColumns())
            cells << Q(list.cell(r, c));
        auto* item = new QTreeWidgetItem(tree_, cells);
        item->setData(0, Qt::UserRole, static_cast<int>(r));
    }
    if (tree_->topLevelItemCount() > 0) tree_->setCurrentItem(tree_->topLevelItem(0));
}

void MovementPickerView::chooseCurrent() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (item == nullptr) return;
    picker_.chooseRow(static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt()));
    sync();
}

bool MovementPickerView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            chooseCurrent();
            return true;
        }
    }
    return FormView::eventFilter(watched, event);
}

void RegisterRegisterViews(WindowHost& host) {
    host.setView("TFGIACENZE", [](FormModel& m, QWidget* parent) -> std::unique_ptr<FormView> {
        return std::make_unique<StockView>(static_cast<StockForm&>(m), parent);
    });
    host.setView("TFCANCMOVIM", [](FormModel& m, QWidget* parent) -> std::unique_ptr<FormView> {
        return std::make_unique<CancellationView>(static_cast<CancellationForm&>(m), parent);
    });
    host.setView("TFSCEGLIMOVIMENTO",
                 [](FormModel& m, QWidget* parent) -> std::unique_ptr<FormView> {
                     return std::make_unique<MovementPickerView>(
                         static_cast<MovementPickerForm&>(m), parent);
                 });
}

}  // namespace veltrano
