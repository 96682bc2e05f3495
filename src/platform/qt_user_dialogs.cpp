#include "platform/qt_user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace veltrano {
namespace {

QString Shown(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, QApplication::applicationName(), Shown(text), QMessageBox::NoButton,
                    parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

}  // namespace

QWidget* QtUserDialogs::parent() const {
    if (parent_ != nullptr && parent_->isVisible()) {
        if (QWidget* active = QApplication::activeModalWidget()) return active;
        return parent_;
    }
    return QApplication::activeWindow();
}

void QtUserDialogs::inform(const std::string& text) {
    ShowBox(parent(), QMessageBox::Information, text);
}

void QtUserDialogs::warn(const std::string& text) {
    ShowBox(parent(), QMessageBox::Warning, text);
}

bool QtUserDialogs::askYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), Shown(text),
                    QMessageBox::NoButton, parent());
    QPushButton* yes = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

bool QtUserDialogs::askOkNo(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), Shown(text),
                    QMessageBox::NoButton, parent());
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::RejectRole);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == ok;
}

int QtUserDialogs::chooseFromList(const std::string& table) {
    return open("TFLISTVIEW", table).id;
}

int QtUserDialogs::pickMovement(const std::string& state, int year) {
    return open("TFSCEGLIMOVIMENTO", state + ":" + std::to_string(year)).id;
}

WindowResult QtUserDialogs::open(const std::string& window, const std::string& mode) {
    if (!opener_) return {};
    return opener_(window, mode);
}

std::optional<std::string> QtUserDialogs::chooseFile(const std::string& startPath) {
    const QString chosen =
        QFileDialog::getOpenFileName(parent(), QString(), QString::fromStdString(startPath));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

void QtUserDialogs::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

}  // namespace veltrano
