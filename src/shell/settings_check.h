#pragma once

#include "shell/session.h"
#include "shell/user_dialogs.h"

namespace veltrano {

inline constexpr const char* kMsgNoCompanyData = "NON SONO STATI COMPILATI I DATI AZIENDALI";
inline constexpr const char* kMsgNoSigningPaths =
    "NON SONO STATI INDICATI I PERCORSI DELLE APPLICAZIONI";
inline constexpr const char* kMsgNoWebPaths = "NON SONO STATI INDICATI I PERCORSI WEB";
inline constexpr const char* kMsgPasswordExpired =
    "Attenzione la password per il Sistema Telematico è scaduta!";

// The settings check run at start-up and before most menu operations: reads the
// company record, the signing settings and the customs addresses into the
// session (trimmed) and answers whether they are complete; its messages are the
// only feedback. Also gives the telematic-password warnings (three per process
// at most) and writes the default password-change address into a company record
// that has none.
bool CheckSettings(Session& session, UserDialogs& dialogs);

// "Attenzione la password per il Sistema Telematico scadrà tra N giorni".
std::string PasswordExpiresMessage(int days);

}  // namespace veltrano
