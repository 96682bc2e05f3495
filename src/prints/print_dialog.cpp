#include "prints/print_dialog.h"

#include <algorithm>

#include "core/cp1252.h"
#include "core/dates.h"
#include "core/folders.h"
#include "core/record_file.h"
#include "core/table_record.h"
#include "core/values.h"
#include "prints/print_settings.h"

namespace veltrano {

namespace {
std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}
std::string Digits(const std::string& s, std::size_t max) {
    std::string out;
    for (char c : s)
        if (c >= '0' && c <= '9' && out.size() < max) out.push_back(c);
    return out;
}
}  // namespace

std::optional<std::string> CustomsOfficeProposal(const Folders& folders, const std::string& code) {
    const std::string key = Trim(code);
    if (key.empty()) return std::nullopt;
    const RecordFile file =
        RecordFile::OpenIfPresent(JoinPath(folders.datiGen, "TA03.TAB"), TableRecord::kSize);
    for (std::size_t k = 0; k < file.count(); ++k) {
        TableRecord r = TableRecord::decode(file.record(k));
        TableTrim(r);
        if (r.STR1[0] == key) return key + " di " + r.STR1[1];
    }
    return std::nullopt;
}

int DefaultFinancialYear(double today) {
    const auto d = DecodeDate(today);
    if (!d) return 0;
    return d->month >= 11 ? d->year + 1 : d->year;
}

RegisterPrintDialog::RegisterPrintDialog(const Folders& folders, std::string registerTitle,
                                         std::string settingsExtension, Runner runner)
    : folders_(folders),
      title_(std::move(registerTitle)),
      extension_(std::move(settingsExtension)),
      runner_(std::move(runner)) {
    using K = PrintDialogField::Kind;
    fields_ = {
        {"MDADA", "Dalla data", K::Date, 10, {}},
        {"MDAAL", "Alla data", K::Date, 10, {}},
        {"RTIPO",
         "",
         K::Choice,
         0,
         {"Stampa il Registro su fogli non intestati",
          "Stampa Solo i MOVIMENTI sui fogli già intestati e vidimati",
          "Stampa Solo le INTESTAZIONI per la vidimazione"}},
        {"IDAPAG",
         "A partire dal numero di pagina [digita 0 per non numerare le pagine]",
         K::Integer,
         5,
         {}},
        {"MFOGLI", "Numero dei fogli da stampare per la vidimazione", K::Integer, 5, {}},
        {"DIFOGLI", "", K::Display, 0, {}},
        {"INTERI0", "Il registro da utilizzare nell'anno finanziario:", K::Integer, 4, {}},
        {"ST12501", "Ufficio doganale vidimante", K::Text, 50, {}},
        {"ST12500",
         "Autorizzazione alla tenuta informatizzata (indicare numero e data protocollo solo se "
         "richiesto dalla dogana)",
         K::Text,
         50,
         {}},
        {"CTEST",
         "Stampa una pagina test per l'approvazione delle dogane(solo se richiesta)",
         K::Check,
         0,
         {}},
        {"CMANUALE", "Versione MANUALE", K::Check, 0, {}},
        {"ST12502",
         "Numero e data del protocollo di vidimazione del registro (indicare solo se non è già "
         "stampato sui fogli vidimati)",
         K::Text,
         50,
         {}},
        {"INTERI2", ">>>> da stampare alla riga n.", K::Integer, 5, {}},
    };
}

std::string RegisterPrintDialog::caption() const {
    return title_ + (tag_ == 1 ? " per GIORNO" : " per PERIODO");
}

void RegisterPrintDialog::open(int tag, double today, const PrintCompany& company) {
    tag_ = tag == 1 ? 1 : 2;
    company_ = company;
    texts_.clear();
    focus_.reset();
    running_ = false;
    const auto d = DecodeDate(today);
    set("MDADA", d ? FormatDate(EncodeDate(d->year, d->month, 1)) : "");
    set("MDAAL", FormatDate(today));
    set("RTIPO", "1");
    set("IDAPAG", "1");
    set("MFOGLI", "");
    set("DIFOGLI", "");
    set("INTERI0", std::to_string(DefaultFinancialYear(today)));
    set("ST12501", Utf8Left(CustomsOfficeProposal(folders_, company.UFFDO1).value_or(""), 50));
    set("ST12500", "");
    set("CTEST", "0");
    set("CMANUALE", "0");
    set("ST12502", "");
    set("INTERI2", "");
    if (const auto s = ReadBookSettings(folders_, extension_)) {
        set("ST12500", s->authorisation);
        set("ST12502", s->protocol);
        set("INTERI2", s->protocolLine ? std::to_string(s->protocolLine) : "");
    }
    applyVisibility();
    focus_ = "MDADA";
}

std::string RegisterPrintDialog::text(const std::string& field) const {
    const auto it = texts_.find(field);
    return it == texts_.end() ? std::string() : it->second;
}

bool RegisterPrintDialog::visible(const std::string& field) const {
    const auto it = visible_.find(field);
    return it == visible_.end() || it->second;
}

int RegisterPrintDialog::choice() const {
    const int c = ParseInteger(text("RTIPO"));
    return c >= 0 && c <= 2 ? c : 1;
}

void RegisterPrintDialog::applyVisibility() {
    const int c = choice();
    for (const char* f : {"MDADA", "MDAAL", "ST12502"})
        visible_[f] = c != 2;
    visible_["INTERI2"] = c == 1;
    for (const char* f :
         {"IDAPAG", "MFOGLI", "DIFOGLI", "INTERI0", "ST12501", "ST12500", "CTEST", "CMANUALE"})
        visible_[f] = c == 2;
}

void RegisterPrintDialog::type(const std::string& field, const std::string& value) {
    const auto def = std::find_if(fields_.begin(), fields_.end(),
                                  [&](const PrintDialogField& f) { return f.name == field; });
    if (def == fields_.end() || def->kind == PrintDialogField::Kind::Display) return;
    std::string v = value;
    switch (def->kind) {
        case PrintDialogField::Kind::Integer:
            v = Digits(v, static_cast<std::size_t>(def->maxLength));
            break;
        case PrintDialogField::Kind::Check:
            v = (v == "1" || v == "true") ? "1" : "0";
            break;
        case PrintDialogField::Kind::Choice:
            v = Digits(v, 1);
            break;
        default:
            if (def->maxLength > 0) v = Utf8Left(v, static_cast<std::size_t>(def->maxLength));
    }
    set(field, v);
    if (field == "RTIPO") applyVisibility();
}

void RegisterPrintDialog::updateSheetsText() {
    if (text("MFOGLI").empty()) return;
    set("DIFOGLI",
        " di " + std::to_string(ParseInteger(text("MFOGLI"))) + " Es. Fin. " + text("INTERI0"));
}

bool RegisterPrintDialog::datesValid() const {
    const auto from = ParseDate(text("MDADA"));
    const auto to = ParseDate(text("MDAAL"));
    if (!from || !to) return false;
    const int y = YearOf(*from);
    return y >= 2000 && y <= 2100 && YearOf(*to) == y && *to >= *from;
}

int RegisterPrintDialog::days() const {
    const auto from = ParseDate(text("MDADA"));
    const auto to = ParseDate(text("MDAAL"));
    if (!from || !to) return 0;
    return static_cast<int>(*to - *from) + 1;
}

bool RegisterPrintDialog::leave(const std::string& field) {
    // The book's year is part of the numbering text: keep them together.
    if (field == "MFOGLI" || field == "INTERI0") updateSheetsText();
    if (field == "MDAAL" && visible("MDAAL") && !datesValid()) {
        focus_ = "MDADA";
        return false;
    }
    return true;
}

bool RegisterPrintDialog::reachConfirm() {
    const int c = choice();
    const bool test = c == 2 && text("CTEST") == "1";
    // The dates are used by the movements and by the test register.
    if ((c != 2 || test) && !datesValid()) {
        focus_ = "MDADA";
        return false;
    }
    return true;
}

std::optional<std::string> RegisterPrintDialog::takeFocus() {
    auto f = std::move(focus_);
    focus_.reset();
    return f;
}

PrintRequest RegisterPrintDialog::request() const {
    PrintRequest r;
    r.perDay = tag_ == 1;
    r.from = ParseDate(text("MDADA")).value_or(0);
    r.to = ParseDate(text("MDAAL")).value_or(0);
    const int c = choice();
    r.choice = static_cast<PrintChoice>(c);
    if (c == 2 && text("CTEST") == "1") r.choice = PrintChoice::Test;
    r.firstPage = ParseInteger(text("IDAPAG"));
    r.sheets = c == 2 ? ParseInteger(text("MFOGLI")) : 1;
    r.sheetsText = text("DIFOGLI");
    r.financialYear = ParseInteger(text("INTERI0"));
    r.office = text("ST12501");
    r.authorisation = text("ST12500");
    r.protocol = text("ST12502");
    r.protocolLine = ParseInteger(text("INTERI2"));
    r.manual = text("CMANUALE") == "1";
    return r;
}

bool RegisterPrintDialog::confirm() {
    if (running_) return false;
    if (!reachConfirm()) return false;
    updateSheetsText();
    running_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{running_};
    const PrintRequest r = request();
    BookSettings s;
    s.authorisation = r.authorisation;
    s.office = r.office;
    s.protocol = r.protocol;
    s.financialYear = r.financialYear;
    s.protocolLine = r.protocolLine;
    WriteBookSettings(folders_, extension_, s);
    if (runner_) runner_(r);
    return true;
}

}  // namespace veltrano
