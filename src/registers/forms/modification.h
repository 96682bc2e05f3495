#pragma once

#include <optional>
#include <string>
#include <vector>

#include "registers/movement.h"
#include "shell/session.h"
#include "shell/user_dialogs.h"

namespace veltrano {

// The window that edits a picked movement, and the mode it opens in.
struct ModificationTarget {
    std::string window;
    std::string mode;
};

// Loads movement `nummov` of the wort (state M) or conditioned (state N) year
// file into the current movement and answers the window that edits its kind;
// nothing when the record is not there. A transfer's load and waste records
// (NUMRIF = the transfer) go to TransferParts().
std::optional<ModificationTarget> PrepareModification(const Folders& folders, char state, int year,
                                                      int nummov);

// The K and Z records of the transfer being modified (either may be missing).
struct TransferPartsRecord {
    std::optional<MovementRecord> load;   // K
    std::optional<MovementRecord> waste;  // Z
};
TransferPartsRecord& TransferParts();

// The menu's modification: after the picker chose a row, the editing window
// opens in modification mode (an entry window not built yet opens nothing).
void RunModification(Session& session, UserDialogs& dialogs, char state, int nummov, int year);

}  // namespace veltrano
