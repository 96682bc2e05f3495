#pragma once

#include <functional>

#include "shell/user_dialogs.h"

class QWidget;

namespace veltrano {

// UserDialogs with Qt message boxes: the system's texts exactly as given ("\r"
// shown as a line break), Italian button captions, the application's title as
// the box title. Windows are opened by the opener that main() installs.
class QtUserDialogs final : public UserDialogs {
public:
    using Opener = std::function<WindowResult(const std::string& window, const std::string& mode)>;

    void setOpener(Opener opener) { opener_ = std::move(opener); }
    // The window the message boxes stay on top of (the active one when unset).
    void setParent(QWidget* parent) { parent_ = parent; }

    void inform(const std::string& text) override;
    void warn(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askOkNo(const std::string& text) override;
    int chooseFromList(const std::string& table) override;
    int pickMovement(const std::string& state, int year) override;
    WindowResult open(const std::string& window, const std::string& mode) override;
    std::optional<std::string> chooseFile(const std::string& startPath) override;
    void setBusy(bool busy) override;

private:
    QWidget* parent() const;
    Opener opener_;
    QWidget* parent_ = nullptr;
};

}  // namespace veltrano
