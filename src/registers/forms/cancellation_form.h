#pragma once

#include <vector>

#include "registers/cancellation.h"
#include "shell/form_model.h"
#include "shell/session.h"

namespace veltrano {

// TFCANCMOVIM: the movements of a period of one register, ticked and deleted
// after the exact "SI". The state letter (C, P, p, N, T, t) comes from the menu
// entry that opens the window (Session::mode).
class CancellationForm : public FormModel {
public:
    CancellationForm(Session& session, UserDialogs& dialogs);

    char state() const { return state_; }
    // ELENCO: the lines and their tick boxes.
    const CancellationList& list() const { return list_; }
    bool ticked(std::size_t line) const { return line < ticks_.size() && ticks_[line]; }
    void setTicked(std::size_t line, bool on);

    static constexpr const char* kNotSameYear = "il periodo deve riferirsi allo stesso anno";

protected:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;
    void onPress(const std::string& button) override;

private:
    Check checkPeriod(bool whole);
    // Rebuilds the list when the period moved by more than 0.1 day since it was
    // last built, so the ticks survive an unchanged period.
    void refreshList();
    void deleteTicked();

    Session& session_;
    char state_;
    CancellationList list_;
    std::vector<bool> ticks_;
    double builtFrom_ = -1e9;
    double builtTo_ = -1e9;
};

}  // namespace veltrano
