#include "platform/report/register_print_view.h"

#include <QtCore/QEvent>
#include <QtGui/QIntValidator>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>
#include <exception>

namespace veltrano {

namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

RegisterPrintView::RegisterPrintView(RegisterPrintDialog& model, const std::string& formName,
                                     QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName(Q(formName));
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    outer->addLayout(form);
    using K = PrintDialogField::Kind;
    for (const PrintDialogField& f : model_.fields()) {
        QWidget* w = nullptr;
        switch (f.kind) {
            case K::Date: {
                auto* e = new QLineEdit(this);
                e->setInputMask(QStringLiteral("99/99/9999;_"));
                connect(e, &QLineEdit::textEdited, this,
                        [this, n = f.name](const QString& t) { edited(n, t); });
                w = e;
                break;
            }
            case K::Integer:
            case K::Text: {
                auto* e = new QLineEdit(this);
                if (f.maxLength > 0) e->setMaxLength(f.maxLength);
                if (f.kind == K::Integer) e->setValidator(new QIntValidator(0, 99999, e));
                connect(e, &QLineEdit::textEdited, this,
                        [this, n = f.name](const QString& t) { edited(n, t); });
                w = e;
                break;
            }
            case K::Display:
                w = new QLabel(this);
                break;
            case K::Check: {
                auto* c = new QCheckBox(Q(f.caption), this);
                connect(c, &QCheckBox::toggled, this, [this, n = f.name](bool on) {
                    edited(n, on ? QStringLiteral("1") : QStringLiteral("0"));
                });
                w = c;
                break;
            }
            case K::Choice: {
                auto* box = new QGroupBox(this);
                auto* v = new QVBoxLayout(box);
                auto* group = new QButtonGroup(box);
                for (std::size_t k = 0; k < f.choices.size(); ++k) {
                    auto* r = new QRadioButton(Q(f.choices[k]), box);
                    r->setObjectName(Q(f.name + std::to_string(k)));
                    group->addButton(r, static_cast<int>(k));
                    v->addWidget(r);
                }
                connect(group, &QButtonGroup::idClicked, this,
                        [this, n = f.name](int id) { edited(n, QString::number(id)); });
                w = box;
                break;
            }
        }
        w->setObjectName(Q(f.name));
        w->installEventFilter(this);
        fieldOf_[w] = f.name;
        controls_[f.name] = w;
        if (f.kind == K::Check || f.caption.empty()) {
            form->addRow(w);
        } else {
            auto* label = new QLabel(Q(f.caption), this);
            label->setWordWrap(true);
            labels_[f.name] = label;
            form->addRow(label, w);
        }
    }
    auto* buttons = new QHBoxLayout;
    confirm_ = new QPushButton(QStringLiteral("&CONFERMA"), this);
    confirm_->setObjectName(QStringLiteral("BCONF"));
    auto* abandon = new QPushButton(QStringLiteral("&Abbandona"), this);
    abandon->setObjectName(QStringLiteral("BABBANDONA"));
    buttons->addWidget(confirm_);
    buttons->addWidget(abandon);
    outer->addLayout(buttons);
    confirm_->installEventFilter(this);
    connect(confirm_, &QPushButton::clicked, this, [this] {
        // An unreadable or damaged year file ends the print with its reason;
        // the window stays open (the settings were already saved).
        try {
            if (model_.confirm()) accept();
        } catch (const std::exception& e) {
            QMessageBox::warning(this, windowTitle(), QString::fromUtf8(e.what()));
        }
        refresh();
    });
    connect(abandon, &QPushButton::clicked, this, [this] { reject(); });
    refresh();
}

QWidget* RegisterPrintView::control(const std::string& field) const {
    const auto it = controls_.find(field);
    return it == controls_.end() ? nullptr : it->second;
}

void RegisterPrintView::edited(const std::string& field, const QString& text) {
    if (refreshing_) return;
    std::string t = text.toStdString();
    // A date mask shows its blanks; the model takes what was typed.
    if (const auto* f = control(field); f && field.rfind("MDA", 0) == 0) {
        if (t.find_first_of("0123456789") == std::string::npos) t.clear();
    }
    model_.type(field, t);
    refresh();
}

void RegisterPrintView::refresh() {
    refreshing_ = true;
    setWindowTitle(Q(model_.caption()));
    using K = PrintDialogField::Kind;
    for (const PrintDialogField& f : model_.fields()) {
        QWidget* w = controls_[f.name];
        const QString text = Q(model_.text(f.name));
        switch (f.kind) {
            case K::Date:
            case K::Integer:
            case K::Text: {
                auto* e = static_cast<QLineEdit*>(w);
                if (e->text() != text && !(f.kind == K::Date && text.isEmpty())) e->setText(text);
                break;
            }
            case K::Display:
                static_cast<QLabel*>(w)->setText(text);
                break;
            case K::Check:
                static_cast<QCheckBox*>(w)->setChecked(text == QStringLiteral("1"));
                break;
            case K::Choice:
                if (auto* r = w->findChild<QRadioButton*>(Q(f.name) + text)) r->setChecked(true);
                break;
        }
        const bool visible = model_.visible(f.name);
        w->setVisible(visible);
        if (auto it = labels_.find(f.name); it != labels_.end()) it->second->setVisible(visible);
    }
    refreshing_ = false;
    applyFocus();
}

void RegisterPrintView::applyFocus() {
    if (const auto f = model_.takeFocus())
        if (QWidget* w = control(*f)) w->setFocus();
}

bool RegisterPrintView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const auto it = fieldOf_.find(watched);
        if (it != fieldOf_.end() && !model_.leave(it->second)) {
            refresh();
            return false;
        }
        if (it != fieldOf_.end()) refresh();
    } else if (event->type() == QEvent::FocusIn && watched == confirm_) {
        if (!model_.reachConfirm()) refresh();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace veltrano
