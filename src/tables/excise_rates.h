#pragma once

#include <string>

#include "core/folders.h"
#include "core/table_record.h"
#include "tables/entry_form.h"

namespace veltrano {

// FindExciseRate modes.
inline constexpr int kRateExact = 0;    // an entry with exactly that date
inline constexpr int kRateInForce = 1;  // the entry in force on that date

std::string ExciseTablePath(const Folders& folders);  // DATI_GEN/ACCISE.TAB

// The rate entry for the date REALI1[0] of rec, left in `working` (blank when no
// entry qualifies); REALI1[1] of it is the rate. Dates count as whole days: the
// time of day of the date is dropped, so a movement in the evening gets the rate
// of its own day. Exact: found when an entry starts on that day. In force: the
// last entry in stored order whose day is not after the date; found when its
// rate exceeds 0.001. ACCISE.TAB is created empty when missing.
bool FindExciseRate(const Folders& folders, const TableRecord& rec, int mode, TableRecord& working);

// TFTABACCISE, "Tabella delle Accise": R10 the start date, R11 the reduced rate.
class ExciseRateForm : public TableEntryForm {
public:
    ExciseRateForm(Session& session, UserDialogs& dialogs);

private:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;
    void onPress(const std::string& button) override;

    void clear();
    void takeDate(double date);
};

}  // namespace veltrano
