#include "shell/company_data_form.h"

#include "core/cp1252.h"
#include "core/table_record.h"
#include "shell/input_rules.h"
#include "shell/settings_check.h"

namespace veltrano {
namespace {

constexpr const char* kOfficeTable = "TA03";

FieldSpec Upper(std::string name, std::string caption, int limit) {
    FieldSpec f;
    f.name = std::move(name);
    f.caption = std::move(caption);
    f.maxLength = limit;
    f.letterCase = LetterCase::Upper;
    return f;
}

FieldSpec Typed(std::string name, std::string caption, int limit) {
    FieldSpec f;
    f.name = std::move(name);
    f.caption = std::move(caption);
    f.maxLength = limit;
    return f;
}

bool StartsWithOneOf(const std::string& text, const char* letters) {
    if (text.empty()) return false;
    for (const char* p = letters; *p != '\0'; ++p) {
        if (text[0] == *p) return true;
    }
    return false;
}

}  // namespace

CompanyDataForm::CompanyDataForm(Session& session, UserDialogs& dialogs)
    : FormModel(dialogs, "TFDATIAZIENDA", "Dati dell'Azienda"), session_(session) {
    addField(Upper("CACCI1", "Codice d'Accisa", 13));
    addField(Typed("DENOM1", "Denominazione", 100));
    addField(Upper("PARIVA", "Partita I.V.A.", 11));
    addField(Upper("CODFIS", "Codice Fiscale", 16));
    addField(Typed("INDIR1", "Indirizzo", 65));
    addField(Typed("C_A_P1", "C.A.P.", 10));
    addField(Upper("CITTA1", "Città", 50));
    addField(Upper("UFFDO1", "Ufficio Dogana", 8));
    addButton({"BUFFDOG", "...", "mostra la tabella", "UFFDO1"});
    addButton({"BNUFFDOG", "...", "Inserisce Nuovo Codice", "UFFDO1"});
    FieldSpec office;
    office.name = "DUFFDOG";
    office.kind = FieldKind::Display;
    office.besideOf = "UFFDO1";
    addField(office);
    FieldSpec& meter = addField(
        Upper("CAUESO", "Misuratore della produzione di birra: Contalitri / Energetico ? C/E", 1));
    meter.note = "(l'indicazione serve solo per attivare il calcolo automatico dei litri )";
    FieldSpec& user = addField(Upper("CODUTE", "Codice Utente", 4));
    user.hint = "Digitare il codice attribuito dal Sistema Telematico Doganale";
    FieldSpec& name = addField(Upper("INDIR2", "Nome utente", 20));
    name.heading = "Credenziali di accesso all'ambiente EDI dell'Agenzia delle Dogane";
    FieldSpec password = Typed("CITTA2", "Password delle applicazioni", 20);
    password.kind = FieldKind::Secret;
    addField(password);
    addField(
        Upper("TIPOIN", "Accisa ASSOLTA al condizionamento o SOSPESA fino alla vendita? A/S", 1));
}

void CompanyDataForm::onOpen() {
    const std::string path = session_.companyPath();
    if (!FileExists(path)) {
        close();
        return;
    }
    auto rec = ReadCompanyRecord(path);
    if (!rec) CompanyBlank(rec.emplace());  // an empty file reads as a blank record
    CompanyTrim(*rec);
    loaded_ = *rec;
    set("CACCI1", loaded_.CACCI1);
    set("DENOM1", loaded_.DENOM1);
    set("PARIVA", loaded_.PARIVA);
    set("CODFIS", loaded_.CODFIS);
    set("INDIR1", loaded_.INDIR1);
    set("C_A_P1", loaded_.C_A_P1);
    set("CITTA1", loaded_.CITTA1);
    set("UFFDO1", loaded_.UFFDO1);
    set("CODUTE", loaded_.CODUTE);
    set("INDIR2", loaded_.INDIR2);
    set("CITTA2", loaded_.CITTA2);
    set("DUFFDOG", "");
    officeCheck(false);
    set("CAUESO", loaded_.CAUESO);
    set("TIPOIN", loaded_.TIPOIN);
    focusOn("CACCI1");
}

Check CompanyDataForm::exciseCodeCheck() {
    const std::string code = text("CACCI1");
    if (IsValidExciseCode(code) || code.empty() || code[0] != 'I') return Check::Pass();
    dialogs().warn("ATTENZIONE CODICE D'ACCISA ERRATO");
    return Check::StayOn("CACCI1");
}

void CompanyDataForm::tidy(const std::string& field) {
    std::string t = TrimText(text(field)) + " ";
    const std::string first = ToUpperText(Utf8Left(t, 1));
    set(field, first + t.substr(Utf8Left(t, 1).size()));
}

Check CompanyDataForm::nameCheck() {
    tidy("DENOM1");
    const char c = text("DENOM1")[0];
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return Check::Pass();
    dialogs().warn("DIGITARE ALMENO UN CARATTERE");
    return Check::StayOn("DENOM1");
}

Check CompanyDataForm::officeCheck(bool openListOnFailure) {
    TableRecord key;
    key.STR1[0] = text("UFFDO1");
    if (auto found = TableKeyExists(key, kOfficeTable, session_.folders, dialogs())) {
        set("DUFFDOG", TrimText(found->STR1[1]));
        return Check::Pass();
    }
    set("DUFFDOG", "CODICE NON VALIDO");
    if (openListOnFailure) chooseOffice();
    return Check::StayOn("UFFDO1");
}

void CompanyDataForm::chooseOffice() {
    const int id = dialogs().chooseFromList(kOfficeTable);
    std::optional<TableRecord> entry;
    if (id >= 0) {
        entry = TableFindById(
            id, JoinPath(session_.folders.datiGen, std::string(kOfficeTable) + ".TAB"));
    }
    if (entry) {
        set("UFFDO1", TrimText(entry->STR1[0]));
        set("DUFFDOG", TrimText(entry->STR1[1]));
    } else {
        set("UFFDO1", "");
    }
    focusOn("UFFDO1");
}

void CompanyDataForm::insertOffice() {
    const WindowResult r = dialogs().open("TFCODICI", std::string(kOfficeTable) + ":I");
    if (r.entry) {
        set("UFFDO1", TrimText(r.entry->STR1[0]));
        set("DUFFDOG", TrimText(r.entry->STR1[1]));
    }
    focusOn("UFFDO1");
}

void CompanyDataForm::onPress(const std::string& button) {
    if (button == "BUFFDOG") chooseOffice();
    if (button == "BNUFFDOG") insertOffice();
}

Check CompanyDataForm::onLeave(const std::string& field) {
    if (field == "CACCI1") return exciseCodeCheck();
    if (field == "DENOM1") return nameCheck();
    if (field == "PARIVA") {
        const std::string vat = TrimText(text("PARIVA"));
        if (!vat.empty() && !IsValidPartitaIva(vat)) {
            dialogs().warn("ATTENZIONE PARTITA I.V.A. ERRATA");
        }
        return Check::Pass();
    }
    if (field == "CODFIS") {
        const std::string code = TrimText(text("CODFIS"));
        if (code.empty() || code.size() != 16) return Check::Pass();
        if (IsValidCodiceFiscale(code)) {
            if (TrimText(text("INDIR2")).empty()) set("INDIR2", code + "-001");
        } else {
            dialogs().warn("ATTENZIONE CODICE FISCALE ERRATO");
        }
        return Check::Pass();
    }
    if (field == "UFFDO1") return officeCheck(true);
    if (field == "CAUESO" && !StartsWithOneOf(text("CAUESO"), "CE")) {
        dialogs().warn("DIGITA: C per Contalitri, E per misuratore Energetico");
        return Check::StayOn("CAUESO");
    }
    if (field == "TIPOIN" && !StartsWithOneOf(text("TIPOIN"), "AS")) {
        dialogs().warn("DIGITA: A per Assolta, S per Sospesa");
        return Check::StayOn("TIPOIN");
    }
    return Check::Pass();
}

Check CompanyDataForm::onReachConfirm() {
    if (Check c = exciseCodeCheck(); !c) return c;
    tidy("INDIR1");
    tidy("C_A_P1");
    tidy("CITTA1");
    if (Check c = nameCheck(); !c) return c;
    if (Check c = officeCheck(false); !c) return c;

    CompanyRecord rec;
    CompanyBlank(rec);
    rec.C_A_P2 = loaded_.C_A_P2;
    rec.DENOM2 = loaded_.DENOM2;
    rec.DENOM2tail = loaded_.DENOM2tail;
    rec.CACCI1 = text("CACCI1");
    rec.DENOM1 = text("DENOM1");
    rec.PARIVA = text("PARIVA");
    rec.CODFIS = text("CODFIS");
    rec.INDIR1 = text("INDIR1");
    rec.C_A_P1 = text("C_A_P1");
    rec.CITTA1 = text("CITTA1");
    rec.CODUTE = text("CODUTE");
    rec.UFFDO1 = text("UFFDO1");
    rec.CAUESO = text("CAUESO");
    rec.TIPOIN = text("TIPOIN");
    rec.INDIR2 = text("INDIR2");
    rec.CITTA2 = text("CITTA2");
    CompanyPad(rec);  // cuts each text to its width
    toSave_ = rec;
    return Check::Pass();
}

void CompanyDataForm::onConfirm() {
    SaveCompanyRecord(session_.companyPath(), toSave_);
    CheckSettings(session_, dialogs());
    close();
}

}  // namespace veltrano
