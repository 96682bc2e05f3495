#pragma once

#include <cstdint>
#include <string>

#include "core/table_record.h"
#include "shell/form_model.h"
#include "shell/session.h"

namespace veltrano {

// A window mode as the callers pass it: the table name, followed by ":I" for
// insertion mode (the window closes after one save and leaves the saved entry
// for its caller).
struct TableMode {
    std::string table;
    bool insertion = false;
    static TableMode Parse(const std::string& mode);
};

// What the table windows share: the two states (new entry, editing an existing
// one), the label "MODIFICA o CANCELLA" and the buttons "&Elenca" (only for a new
// entry), "&Svuota" and "Cance&lla" (only while editing).
class TableEntryForm : public FormModel {
public:
    TableEntryForm(Session& session, UserDialogs& dialogs, std::string name, std::string caption);

    bool editing() const { return editing_; }
    std::int32_t editingId() const { return editingId_; }
    const TableRecord& edited() const { return edited_; }

protected:
    Session& session() { return session_; }
    // Declares the label and the buttons; `listCaption` is "&Elenca" or "Elenco",
    // `besideOf` the field the list button stands beside.
    void addEntryControls(const std::string& listCaption, const std::string& besideOf);
    void startEditing(const TableRecord& entry);
    void stopEditing();

    Session& session_;
    TableRecord edited_;
    TableRecord editedCopy_;  // the entry as stored when editing began
    std::int32_t editingId_ = 0;
    bool editing_ = false;
};

// "CODICE GIA` UTILIZZATO".
inline constexpr const char* kCodeInUse = "CODICE GIA` UTILIZZATO";
inline constexpr const char* kStructureMissing = "STRUTTURA DELLA TABELLA MANCANTE";

}  // namespace veltrano
