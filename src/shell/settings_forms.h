#pragma once

#include "core/table_record.h"
#include "shell/form_model.h"
#include "shell/session.h"

namespace veltrano {

// TFPERCORSI, "Impostazioni del software di Firma Digitale": the workstation's
// signing settings (temporary folder's APPL.CFG). The integrated signer is built
// in, so there is no library to download and no button for it.
class SigningSettingsForm final : public FormModel {
public:
    SigningSettingsForm(Session& session, UserDialogs& dialogs);

private:
    void onOpen() override;
    void onTyped(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;
    void onPress(const std::string& button) override;
    void applyMethod();

    Session& session_;
    TableRecord loaded_;
    double expiry_ = 0;
};

// TFINDWEB, "Indirizzi Web": the customs addresses in DATI_GEN/WEB.CFG.
class WebAddressesForm final : public FormModel {
public:
    WebAddressesForm(Session& session, UserDialogs& dialogs);

private:
    void onOpen() override;
    void onConfirm() override;

    Session& session_;
    TableRecord loaded_;
};

// TFARROTONDAMENTI, "Imposta gli arrotondamenti da applicare nei registri": the
// rounding settings in DATI_GEN/ARROTONDAMENTI.TAB.
class RoundingForm final : public FormModel {
public:
    RoundingForm(Session& session, UserDialogs& dialogs);

    // The record a new installation starts with: litres rounded, hectolitre-degrees not.
    static TableRecord Initial();

private:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;
    Check yesNoCheck(const std::string& field);

    Session& session_;
    TableRecord loaded_;
};

}  // namespace veltrano
