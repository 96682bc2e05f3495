#include "tables/entry_form.h"

namespace veltrano {

TableMode TableMode::Parse(const std::string& mode) {
    TableMode m;
    m.table = mode;
    if (m.table.size() >= 2 && m.table.compare(m.table.size() - 2, 2, ":I") == 0) {
        m.insertion = true;
        m.table.resize(m.table.size() - 2);
    }
    return m;
}

TableEntryForm::TableEntryForm(Session& session, UserDialogs& dialogs, std::string name,
                               std::string caption)
    : FormModel(dialogs, std::move(name), std::move(caption)), session_(session) {
    TableBlank(edited_);
}

void TableEntryForm::addEntryControls(const std::string& listCaption, const std::string& besideOf) {
    FieldSpec label;
    label.name = "LMODIFICA";
    label.caption = "";
    label.kind = FieldKind::Display;
    label.maxLength = 20;
    addField(label);
    addButton({"BELENCA", listCaption, "mostra la tabella", besideOf});
    addButton({"BSVUOTA", "&Svuota", "", ""});
    addButton({"BCANCELLA", "Cance&lla", "", ""});
    stopEditing();
}

void TableEntryForm::startEditing(const TableRecord& entry) {
    editingId_ = entry.ID;
    editing_ = true;
    editedCopy_ = entry;
    TableTrim(editedCopy_);
    set("LMODIFICA", "MODIFICA o CANCELLA");
    setVisible("LMODIFICA", true);
    setVisible("BELENCA", false);
    setVisible("BCANCELLA", true);
}

void TableEntryForm::stopEditing() {
    editingId_ = 0;
    editing_ = false;
    TableBlank(editedCopy_);
    set("LMODIFICA", "");
    setVisible("LMODIFICA", false);
    setVisible("BELENCA", true);
    setVisible("BCANCELLA", false);
}

}  // namespace veltrano
