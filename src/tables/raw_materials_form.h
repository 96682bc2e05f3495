#pragma once

#include "tables/entry_form.h"

namespace veltrano {

std::string RawMaterialsPath(const Folders& folders);  // DATI_GEN/MATPRIME.TAB

// TFMATPRI, "Tabella Materie Prime": LE1 the name of the raw material. In
// insertion mode ("MATPRIME:I") it closes after one save and leaves the saved
// entry, with its new ID, for the caller.
class RawMaterialsForm : public TableEntryForm {
public:
    RawMaterialsForm(Session& session, UserDialogs& dialogs);

private:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;
    void onPress(const std::string& button) override;

    void clear();
    void lookUp();

    bool insertion_ = false;
};

}  // namespace veltrano
