#pragma once

#include "shell/company_record.h"
#include "shell/form_model.h"
#include "shell/session.h"

namespace veltrano {

// TFDATIAZIENDA, "Dati dell'Azienda": edits the company record UTENTE.001. The
// caller runs RefreshCompanyState after it closes.
class CompanyDataForm final : public FormModel {
public:
    CompanyDataForm(Session& session, UserDialogs& dialogs);

private:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;
    void onPress(const std::string& button) override;

    Check exciseCodeCheck();
    Check nameCheck();
    // Looks the office up in TA03; on failure optionally opens the list.
    Check officeCheck(bool openListOnFailure);
    void chooseOffice();
    void insertOffice();
    // Trimmed, one trailing blank, first character in upper case.
    void tidy(const std::string& field);

    Session& session_;
    CompanyRecord loaded_;
    CompanyRecord toSave_;
};

}  // namespace veltrano
