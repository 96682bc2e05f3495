#include "shell/ui/form_view.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/cp1252.h"

namespace veltrano {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

bool IsMasked(FieldKind k) {
    return k == FieldKind::Date || k == FieldKind::Time;
}

// Characters of width for a field of that many characters.
int EditWidth(const QFontMetrics& fm, int chars) {
    const int c = chars <= 0 ? 40 : std::min(chars, 60);
    return fm.horizontalAdvance(QLatin1Char('W')) * std::max(c, 2) * 3 / 4 + 16;
}

}  // namespace

FormView::FormView(FormModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName(Q(model.name()));
    setWindowTitle(Q(model.caption()));
    build();
}

void FormView::build() {
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);
    int row = 0;
    std::map<std::string, QHBoxLayout*> lineOf;

    auto track = [&](const std::string& field, QWidget* w) { rows_.emplace(field, w); };

    for (const FieldSpec& f : model_.fields()) {
        QWidget* input = nullptr;
        if (!f.heading.empty()) {
            auto* heading = new QLabel(Q(f.heading), this);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            grid->addWidget(heading, row++, 0, 1, 2);
            track(f.name, heading);
        }
        if (f.kind == FieldKind::Check) {
            auto* tick = new QCheckBox(Q(f.caption), this);
            tick->setObjectName(Q(f.name));
            tick->installEventFilter(this);
            fieldOf_[tick] = f.name;
            connect(tick, &QCheckBox::toggled, this, [this, name = f.name](bool on) {
                if (syncing_) return;
                model_.type(name, on ? "1" : "0");
                sync();
            });
            grid->addWidget(tick, row++, 1);
            widgets_[f.name] = tick;
            track(f.name, tick);
            continue;
        }
        if (f.kind == FieldKind::Choice) {
            auto* box = new QGroupBox(Q(f.caption), this);
            auto* v = new QVBoxLayout(box);
            auto* group = new QButtonGroup(box);
            for (std::size_t i = 0; i < f.choices.size(); ++i) {
                auto* radio = new QRadioButton(Q(f.choices[i]), box);
                radio->setObjectName(Q(f.name + "_" + std::to_string(i)));
                group->addButton(radio, static_cast<int>(i));
                v->addWidget(radio);
                radio->installEventFilter(this);
                fieldOf_[radio] = f.name;
            }
            groups_[f.name] = group;
            connect(group, &QButtonGroup::idClicked, this, [this, name = f.name](int id) {
                if (syncing_) return;
                model_.type(name, std::to_string(id));
                sync();
            });
            grid->addWidget(box, row++, 0, 1, 2);
            widgets_[f.name] = box;
            track(f.name, box);
            continue;
        }

        auto* edit = new QLineEdit(this);
        edit->setObjectName(Q(f.name));
        input = edit;
        if (f.maxLength > 0) edit->setMaxLength(f.maxLength);
        if (f.kind == FieldKind::Date) edit->setInputMask(QStringLiteral("99/99/9999;_"));
        if (f.kind == FieldKind::Time) edit->setInputMask(QStringLiteral("99:99;_"));
        if (f.kind == FieldKind::Secret) edit->setEchoMode(QLineEdit::Password);
        if (f.kind == FieldKind::Display) {
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::NoFocus);
        }
        if (!f.hint.empty()) {
            edit->setToolTip(Q(f.hint));
            edit->setToolTipDuration(7000);
        }
        const int chars = IsMasked(f.kind) ? (f.kind == FieldKind::Date ? 12 : 6) : f.maxLength;
        edit->setFixedWidth(EditWidth(edit->fontMetrics(), chars));
        widgets_[f.name] = edit;
        if (f.kind != FieldKind::Display) {
            edit->installEventFilter(this);
            fieldOf_[edit] = f.name;
            connect(edit, &QLineEdit::textEdited, this,
                    [this, name = f.name, edit] { edited(name, edit); });
        }

        if (!f.besideOf.empty() && lineOf.count(f.besideOf) != 0) {
            lineOf[f.besideOf]->addWidget(input, 1);
            edit->setMinimumWidth(edit->width());
            edit->setMaximumWidth(QWIDGETSIZE_MAX);
            track(f.name, input);
            continue;
        }
        auto* label = new QLabel(Q(f.caption), this);
        // Only the long questions wrap; a short caption keeps its line.
        label->setWordWrap(Utf8Length(f.caption) > 40);
        if (label->wordWrap()) label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 34);
        label->setBuddy(input);
        auto* line = new QHBoxLayout;
        line->addWidget(input);
        lineOf[f.name] = line;
        grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addLayout(line, row++, 1);
        track(f.name, label);
        track(f.name, input);
        if (!f.note.empty()) {
            auto* note = new QLabel(Q(f.note), this);
            note->setWordWrap(true);
            QFont small = note->font();
            small.setItalic(true);
            note->setFont(small);
            grid->addWidget(note, row++, 1);
            track(f.name, note);
        }
    }
    // Buttons beside their fields, after the fields of that row.
    for (const ButtonSpec& b : model_.buttons()) {
        auto* button = new QPushButton(Q(b.caption), this);
        button->setObjectName(Q(b.name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        if (!b.hint.empty()) {
            button->setToolTip(Q(b.hint));
            button->setToolTipDuration(7000);
        }
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
        connect(button, &QPushButton::clicked, this, [this, name = b.name] {
            model_.press(name);
            sync();
        });
        widgets_[b.name] = button;
        const auto it = lineOf.find(b.besideOf);
        if (it != lineOf.end()) {
            // Before any display field that shares the row.
            int at = 1;
            while (at < it->second->count() &&
                   qobject_cast<QPushButton*>(it->second->itemAt(at)->widget()) != nullptr) {
                ++at;
            }
            it->second->insertWidget(at, button);
        } else {
            grid->addWidget(button, row++, 1, Qt::AlignLeft);
        }
    }
    for (auto& [name, line] : lineOf)
        line->addStretch(0);

    auto* buttons = new QHBoxLayout;
    confirm_ = new QPushButton(Q(model_.confirmCaption()), this);
    confirm_->setObjectName(QStringLiteral("BCONF"));
    confirm_->setAutoDefault(false);
    confirm_->installEventFilter(this);
    abandon_ = new QPushButton(Q(model_.abandonCaption()), this);
    abandon_->setObjectName(QStringLiteral("BABBANDONA"));
    abandon_->setAutoDefault(false);
    abandon_->setFocusPolicy(Qt::NoFocus);
    buttons->addStretch(1);
    buttons->addWidget(confirm_);
    buttons->addWidget(abandon_);
    outer->addStretch(1);  // hidden fields give their room back here
    outer->addSpacing(8);
    outer->addLayout(buttons);
    connect(confirm_, &QPushButton::clicked, this, &FormView::confirmClicked);
    connect(abandon_, &QPushButton::clicked, this, [this] {
        model_.abandon();
        sync();
    });
}

QWidget* FormView::widget(const std::string& name) const {
    const auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
}

std::string FormView::widgetText(const std::string& name) const {
    auto* edit = qobject_cast<QLineEdit*>(widget(name));
    if (edit == nullptr) return {};
    const std::string t = edit->text().toStdString();
    // An untouched mask reads as its separators alone: that is no text.
    if (!edit->inputMask().isEmpty() && t.find_first_of("0123456789") == std::string::npos) {
        return {};
    }
    return t;
}

void FormView::setWidgetText(const std::string& name, const std::string& text) {
    if (auto* group = groups_.count(name) ? groups_.at(name) : nullptr) {
        bool ok = false;
        const int id = QString::fromStdString(text).toInt(&ok);
        if (QAbstractButton* b = ok ? group->button(id) : nullptr) {
            b->setChecked(true);
        } else if (QAbstractButton* checked = group->checkedButton()) {
            group->setExclusive(false);
            checked->setChecked(false);
            group->setExclusive(true);
        }
        return;
    }
    if (auto* tick = qobject_cast<QCheckBox*>(widget(name))) {
        tick->setChecked(text == "1");
        return;
    }
    auto* edit = qobject_cast<QLineEdit*>(widget(name));
    if (edit == nullptr) return;
    const std::string shown = widgetText(name);
    if (shown == text) return;
    edit->setText(Q(text));
    if (!edit->inputMask().isEmpty() && text.empty()) edit->setCursorPosition(0);
}

void FormView::edited(const std::string& name, QLineEdit* edit) {
    if (syncing_) return;
    const std::string typed = widgetText(name);
    const auto cursor = static_cast<std::size_t>(edit->cursorPosition());
    const Typing accepted =
        model_.type(name, typed, edit->inputMask().isEmpty() ? cursor : Utf8Length(typed));
    if (edit->inputMask().isEmpty() && edit->text().toStdString() != accepted.text) {
        edit->setText(Q(accepted.text));
        edit->setCursorPosition(static_cast<int>(accepted.cursor));
    }
    sync();
}

void FormView::sync() {
    syncing_ = true;
    setWindowTitle(Q(model_.caption()));
    bool resized = false;
    for (const FieldSpec& f : model_.fields()) {
        setWidgetText(f.name, model_.text(f.name));
        const bool visible = model_.visible(f.name);
        for (auto [it, end] = rows_.equal_range(f.name); it != end; ++it) {
            if (it->second->isVisibleTo(this) == visible) continue;
            it->second->setVisible(visible);
            resized = true;
        }
        if (QWidget* w = widget(f.name)) w->setEnabled(model_.enabled(f.name));
    }
    for (const ButtonSpec& b : model_.buttons()) {
        if (QWidget* w = widget(b.name)) {
            w->setVisible(model_.visible(b.name));
            w->setEnabled(model_.enabled(b.name));
        }
    }
    confirm_->setEnabled(!model_.saving());
    syncing_ = false;
    if (resized && isVisible()) QTimer::singleShot(0, this, [this] { adjustSize(); });
    if (model_.closed()) {
        if (isVisible()) done(model_.confirmed() ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    applyFocus();
}

void FormView::applyFocus() {
    const auto target = model_.takeFocusRequest();
    if (!target) return;
    QWidget* w = widget(*target);
    if (auto* group = groups_.count(*target) ? groups_.at(*target) : nullptr) {
        w = group->checkedButton() != nullptr ? group->checkedButton() : group->buttons().value(0);
    }
    if (w == nullptr || !w->isVisible()) return;
    // The focus the model puts back is not the user leaving a field.
    refocusing_ = true;
    w->setFocus(Qt::OtherFocusReason);
    refocusing_ = false;
}

void FormView::leaveLater(const std::string& name) {
    QTimer::singleShot(0, this, [this, name] {
        if (model_.closed()) return;
        model_.leave(name);
        sync();
    });
}

void FormView::confirmReached() {
    QTimer::singleShot(0, this, [this] {
        if (model_.closed() || !confirm_->hasFocus()) return;
        model_.reachConfirm();
        sync();
    });
}

void FormView::confirmClicked() {
    // The checks on reaching the button moved the focus to a failing field.
    if (!confirm_->hasFocus() || model_.saving()) return;
    model_.confirm();
    sync();
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            model_.keyPressed();
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                fieldOf_.count(watched) != 0) {
                focusNextChild();
                return true;
            }
            break;
        }
        case QEvent::FocusOut: {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // Another window taking the focus (a message box) is not leaving the field.
            if (refocusing_ || reason == Qt::ActiveWindowFocusReason ||
                reason == Qt::PopupFocusReason) {
                break;
            }
            const auto it = fieldOf_.find(watched);
            if (it == fieldOf_.end()) break;
            // Moving between the items of one radio group stays in the field.
            QWidget* next = QApplication::focusWidget();
            const auto nextIt = next != nullptr ? fieldOf_.find(next) : fieldOf_.end();
            if (nextIt != fieldOf_.end() && nextIt->second == it->second) break;
            leaveLater(it->second);
            break;
        }
        case QEvent::FocusIn:
            if (watched == confirm_ && !refocusing_ &&
                static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason) {
                confirmReached();
            }
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void FormView::reject() {
    model_.abandon();
    QDialog::reject();
}

bool FormView::run() {
    model_.open();
    if (model_.closed()) return false;
    sync();
    exec();
    return model_.confirmed();
}

}  // namespace veltrano
