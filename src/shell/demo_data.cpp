#include "shell/demo_data.h"

#include "core/dates.h"
#include "core/file_io.h"
#include "core/table_record.h"
#include "shell/company_record.h"
#include "shell/session.h"
#include "shell/settings_forms.h"

namespace veltrano {
namespace {

struct Quiet : Prompt {
    void message(const std::string&) override {}
    bool askYesNo(const std::string&) override { return false; }
};

}  // namespace

int WriteDemoSettings(const Folders& folders, double today) {
    folders.create();
    int written = 0;
    auto missing = [&](const std::string& path) {
        if (FileExists(path)) return false;
        ++written;
        return true;
    };

    const std::string company = JoinPath(folders.datiGen, "UTENTE.001");
    if (missing(company)) {
        CompanyRecord c;
        CompanyBlank(c);
        c.CACCI1 = "IT00VIA001234";
        c.DENOM1 = "Birrificio Valle dell'Orso S.r.l.";
        c.PARIVA = "04152680247";
        c.CODFIS = "04152680247";
        c.INDIR1 = "Via dei Luppoli 14";
        c.C_A_P1 = "36061";
        c.CITTA1 = "BASSANO DEL GRAPPA";
        c.UFFDO1 = "VI01";
        c.CAUESO = "C";
        c.CODUTE = "VB27";
        c.INDIR2 = "VALLEORSO01";
        c.CITTA2 = "Demo-2026";
        c.C_A_P2 = FormatDate(today - 30);
        c.DENOM2 = std::string(kDefaultPasswordPageHead);
        c.DENOM2tail = std::string(kDefaultPasswordPageTail);
        c.TIPOIN = "S";
        SaveCompanyRecord(company, c);
    }

    const std::string structure = JoinPath(folders.datiGen, "TA03.STR");
    const std::string offices = JoinPath(folders.datiGen, "TA03.TAB");
    if (missing(structure)) {
        TableStructure st;
        st.searchFields = 1;
        st.name = "TA03";
        st.title = "UFFICI DOGANALI";
        st.columns = "CODICE;DESCRIZIONE";
        st.sizes[0] = 8;
        st.sizes[1] = 60;
        st.labels[0] = "CODICE UFFICIO";
        st.labels[1] = "DESCRIZIONE";
        SaveSettingsRecord(structure, st.toRecord());
    }
    if (missing(offices)) {
        Quiet quiet;
        const std::pair<const char*, const char*> rows[] = {
            {"PD01", "Ufficio delle Dogane di Padova"},
            {"TV01", "Ufficio delle Dogane di Treviso"},
            {"VE01", "Ufficio delle Dogane di Venezia"},
            {"VI01", "Ufficio delle Dogane di Vicenza"},
            {"VR01", "Ufficio delle Dogane di Verona"},
        };
        for (const auto& [code, description] : rows) {
            TableRecord e;
            TableBlank(e);
            e.STR1[0] = code;
            e.STR1[1] = description;
            e.STR2[0] = "TA03";
            TableInsertOrdered(offices, e, quiet);
        }
    }

    const std::string web = JoinPath(folders.datiGen, "WEB.CFG");
    if (missing(web)) {
        TableRecord w;
        TableBlank(w);
        w.STR1[3] = "https://telematico.adm.gov.it/TelematicoWeb/";
        w.STR1[5] = "https://telematicoprova.adm.gov.it/TelematicoWeb/";
        w.STR1[7] = "https://www.adm.gov.it/";
        SaveSettingsRecord(web, w);
    }

    const std::string rounding = JoinPath(folders.datiGen, "ARROTONDAMENTI.TAB");
    if (missing(rounding)) SaveSettingsRecord(rounding, RoundingForm::Initial());

    // The shared seed: each workstation copies it while its own folders are empty.
    const std::string signing = JoinPath(folders.datiGen, "APPL.CFG");
    if (missing(signing)) {
        const std::string toSign = JoinPath(folders.xfirma, "DAFIRMARE");
        const std::string signedFolder = JoinPath(folders.xfirma, "FIRMATI");
        MakeFolders(toSign);
        MakeFolders(signedFolder);
        TableRecord s;
        TableBlank(s);
        s.STR1[0] = "/usr/local/bin/firma-digitale";
        s.STR1[1] = toSign + "/";
        s.STR1[2] = signedFolder + "/";
        s.INTERI[0] = 0;
        s.REALI1[0] = today + 200;
        SaveSettingsRecord(signing, s);
    }

    const std::string version = JoinPath(folders.datiGen, "VERS_VELTRANO.DAT");
    if (missing(version)) {
        Bytes b(8, 0);
        PutDouble(b, 0, today);
        ReplaceFileAtomically(version, b);
    }
    return written;
}

}  // namespace veltrano
