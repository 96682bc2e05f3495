#include "tables/ui/list_view.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/cp1252.h"
#include "prints/recording_surface.h"
#include "prints/report_viewer.h"
#include "tables/list_print.h"

namespace veltrano {

ListView::ListView(ListModel& model, QWidget* parent, const TextMetrics* metrics,
                   ReportViewer* viewer)
    : QDialog(parent), model_(model), metrics_(metrics), viewer_(viewer) {
    setObjectName(QStringLiteral("TFLISTVIEW"));
    setWindowTitle(QString::fromStdString(model_.title()));
    auto* outer = new QVBoxLayout(this);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("LISTA"));
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::Monospace);
    tree_->setFont(font);
    tree_->header()->setSectionsClickable(true);
    tree_->header()->setStretchLastSection(false);
    tree_->installEventFilter(this);
    outer->addWidget(tree_, 1);

    auto* buttons = new QHBoxLayout;
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    print_ = new QPushButton(QStringLiteral("&Stampa"), this);
    abandon_ = new QPushButton(QStringLiteral("&Abbandona"), this);
    ok_->setObjectName(QStringLiteral("BOK"));
    print_->setObjectName(QStringLiteral("BSTAMPA"));
    abandon_->setObjectName(QStringLiteral("BABBANDONA"));
    for (QPushButton* b : {ok_, print_, abandon_})
        b->setAutoDefault(false);
    print_->setEnabled(metrics_ != nullptr && viewer_ != nullptr);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(print_);
    buttons->addWidget(abandon_);
    outer->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &ListView::choose);
    connect(abandon_, &QPushButton::clicked, this, &ListView::reject);
    connect(print_, &QPushButton::clicked, this, &ListView::print);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { choose(); });
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!filling_ && item != nullptr) model_.select(tree_->indexOfTopLevelItem(item));
    });
    connect(tree_->header(), &QHeaderView::sectionClicked, this, [this](int section) {
        const auto& shown = model_.shownColumns();
        if (section < 0 || static_cast<std::size_t>(section) >= shown.size()) return;
        model_.sortBy(shown[static_cast<std::size_t>(section)]);
        fill();
    });

    QStringList captions;
    for (std::size_t c : model_.shownColumns())
        captions << QString::fromStdString(model_.caption(c));
    tree_->setHeaderLabels(captions);
    const QFontMetrics fm(font);
    int total = 0;
    for (std::size_t i = 0; i < model_.shownColumns().size(); ++i) {
        const int w =
            (model_.width(model_.shownColumns()[i]) + 2) * fm.horizontalAdvance(QLatin1Char('W'));
        tree_->setColumnWidth(static_cast<int>(i), w);
        total += w;
    }
    fill();

    const QRect screen = QGuiApplication::primaryScreen() != nullptr
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    const int rowHeight = fm.height() + 4;
    const int rows = static_cast<int>(model_.rowCount());
    const int width = std::clamp(total + 50, 320, screen.width() - 50);
    const int height = std::clamp(2 * rowHeight * rows + 90, 220, screen.height() - 100);
    resize(width, height);
}

void ListView::fill() {
    filling_ = true;
    tree_->clear();
    const auto& shown = model_.shownColumns();
    for (std::size_t r = 0; r < model_.rowCount(); ++r) {
        auto* item = new QTreeWidgetItem(tree_);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            item->setText(static_cast<int>(i), QString::fromStdString(model_.cell(r, shown[i])));
        }
    }
    if (model_.selected() >= 0) {
        QTreeWidgetItem* item = tree_->topLevelItem(model_.selected());
        tree_->setCurrentItem(item);
        tree_->scrollToItem(item);
    }
    filling_ = false;
    tree_->setFocus();
}

void ListView::choose() {
    if (QTreeWidgetItem* item = tree_->currentItem()) {
        model_.select(tree_->indexOfTopLevelItem(item));
    }
    model_.choose();
    accept();
}

void ListView::reject() {
    model_.cancel();
    QDialog::reject();
}

void ListView::print() {
    if (metrics_ == nullptr || viewer_ == nullptr) return;
    RecordingSurface surface(*metrics_);
    PrintList(model_, surface);
    viewer_->show(surface.takeDocument(), model_.title());
}

bool ListView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            choose();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int ListView::run() {
    exec();
    return model_.result();
}

}  // namespace veltrano
