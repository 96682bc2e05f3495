#pragma once

#include <string>

#include "shell/form_model.h"
#include "shell/session.h"
#include "tables/list_file.h"

namespace veltrano {

// The caption of the picker in a state.
std::string PickerTitle(char state);

// The list of one picker state over one register year (or over the lot summaries
// MOSTO.DAT / VENDITE.DAT that the conditioned-register windows leave in the
// temporary folder). Rows carry the NUMMOV of their record, or the record's
// position for those scratch lists. A missing source gives an empty list with no
// columns. `previousTitle` is kept by state 4, which does not change the caption.
ListData BuildPickerList(const Folders& folders, char state, int year,
                         const std::string& previousTitle = {});

// TFSCEGLIMOVIMENTO: the movement picker. The caller sets the state letter in
// Session::mode; the chosen number is resultId() (-1 when nothing was chosen) and
// the year shown stays in Session::currentYear.
class MovementPickerForm : public FormModel {
public:
    MovementPickerForm(Session& session, UserDialogs& dialogs);

    char state() const { return state_; }
    ListModel& list() { return list_; }
    const ListModel& list() const { return list_; }
    // Enter or a double click on a row; Esc is abandon().
    void chooseRow(std::size_t row);

protected:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    void onConfirm() override;

private:
    void rebuild();

    Session& session_;
    char state_;
    ListModel list_{ListData{}};
};

}  // namespace veltrano
