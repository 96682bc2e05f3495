#pragma once

#include "shell/form_model.h"
#include "shell/session.h"

namespace veltrano {

// A table name that can name the files DATI_GEN/<name>.STR, .TAB and .CSV: it
// must not sort before "0" and may hold only letters, digits, "_" and "-".
bool IsValidTableName(const std::string& name);

// TFSTRUTAB, "STRUTTURA DELLE TABELLE": the structure record of a code table
// (E02250 name, E12250 title, E22250 column names, ICHIAVE search fields, and
// per grid row k = 1..10 the size DIMk and the label ETIk of field k - 1), and
// "&Importa CSV".
class StructureEditorForm : public FormModel {
public:
    StructureEditorForm(Session& session, UserDialogs& dialogs);

private:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;
    void onPress(const std::string& button) override;

    void empty();
    void emptyOthers();

    Session& session_;
};

}  // namespace veltrano
