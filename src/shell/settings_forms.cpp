#include "shell/settings_forms.h"

#include "core/cp1252.h"
#include "core/dates.h"
#include "core/values.h"

namespace veltrano {
namespace {

constexpr int kSettingWidth = 250;

FieldSpec Text(std::string name, std::string caption, int limit = kSettingWidth) {
    FieldSpec f;
    f.name = std::move(name);
    f.caption = std::move(caption);
    f.maxLength = limit;
    return f;
}

TableRecord Blank() {
    TableRecord rec;
    TableBlank(rec);
    return rec;
}

// The folder of a chosen file, with its trailing separator.
std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string{} : path.substr(0, slash + 1);
}

}  // namespace

// --- TFPERCORSI ---

SigningSettingsForm::SigningSettingsForm(Session& session, UserDialogs& dialogs)
    : FormModel(dialogs, "TFPERCORSI", "Impostazioni del software di Firma Digitale"),
      session_(session) {
    FieldSpec method;
    method.name = "INTERI0";
    method.caption = "Scegli il metodo di firma digitale";
    method.kind = FieldKind::Choice;
    method.choices = {"Avvia un'applicazione esterna a VELTRANO",
                      "Utilizza la procedura integrata con certificato su Smart Card o Token USB",
                      "Utilizza la procedura integrata con certificato salvato in una cartella"};
    addField(method);
    FieldSpec expiry;
    expiry.name = "REALI10";
    expiry.caption = "Data scadenza del certificato di firma";
    expiry.kind = FieldKind::Date;
    addField(expiry);
    addField(Text("LE0", "Percorso per l'esecuzione del software di firma digitale"));
    addButton({"BLE0", "...", "", "LE0"});
    addField(Text("LE1", "Cartella di destinazione dei FILE da FIRMARE"));
    addButton({"BLE1", "...", "", "LE1"});
    addField(Text("LE2", "Cartella di destinazione dei FILE FIRMATI"));
    addButton({"BLE2", "...", "", "LE2"});
    addField(Text("LE3", "Percorso del Certificato di Firma Digitale"));
    addButton({"BLE3", "...", "", "LE3"});
    FieldSpec pin = Text("LE4", "PIN del certificato di firma", 30);
    pin.kind = FieldKind::Secret;
    addField(pin);
    addField(Text("LE5", "N.Seriale del certificato di firma"));
}

void SigningSettingsForm::onOpen() {
    loaded_ = ReadOrCreateSettingsRecord(session_.signingPath(), Blank());
    TableTrim(loaded_);
    set("INTERI0", std::to_string(loaded_.INTERI[0]));
    // No expiry date yet (0) shows as an empty date.
    set("REALI10", loaded_.REALI1[0] > 0 ? FormatDate(loaded_.REALI1[0]) : std::string{});
    for (int k = 0; k <= 5; ++k) {
        set("LE" + std::to_string(k), loaded_.STR1[static_cast<std::size_t>(k)]);
    }
    applyMethod();
    focusOn("INTERI0");
}

void SigningSettingsForm::applyMethod() {
    const int method = ParseInteger(text("INTERI0"));
    for (const char* f : {"LE0", "LE1", "LE2", "BLE0", "BLE1", "BLE2"})
        setVisible(f, method == 0);
    setVisible("LE3", method == 2);
    setVisible("BLE3", method == 2);
    setVisible("LE4", method == 1 || method == 2);
    setVisible("LE5", method == 1);
}

void SigningSettingsForm::onTyped(const std::string& field) {
    if (field == "INTERI0") applyMethod();
}

void SigningSettingsForm::onPress(const std::string& button) {
    if (button.size() != 4 || button.compare(0, 3, "BLE") != 0) return;
    const std::string field = button.substr(1);
    const auto chosen = dialogs().chooseFile(text(field));
    if (!chosen) return;
    const bool folder = field == "LE1" || field == "LE2";
    set(field, folder ? FolderOf(*chosen) : *chosen);
    focusOn(field);
}

Check SigningSettingsForm::onReachConfirm() {
    const std::string date = TrimText(text("REALI10"));
    // Nothing typed in the mask (its separators alone) keeps "no expiry date".
    if (date.find_first_of("0123456789") == std::string::npos) {
        expiry_ = 0;
        return Check::Pass();
    }
    const auto parsed = ParseDate(date);
    if (!parsed) return Check::StayOn("REALI10");  // no message
    expiry_ = *parsed;
    return Check::Pass();
}

void SigningSettingsForm::onConfirm() {
    TableRecord rec = loaded_;
    for (std::size_t k = 0; k <= 5; ++k) {
        rec.STR1[k] = Utf8Left(text("LE" + std::to_string(k)), kSettingWidth);
    }
    rec.INTERI[0] = ParseInteger(text("INTERI0"));
    rec.REALI1[0] = expiry_;
    SaveSigningSettings(session_.signingPath(), rec);
    close();
}

// --- TFINDWEB ---

WebAddressesForm::WebAddressesForm(Session& session, UserDialogs& dialogs)
    : FormModel(dialogs, "TFINDWEB", "Indirizzi Web"), session_(session) {
    FieldSpec real = Text("LE3", "E.D.I. Ambiente Telematico Doganale (REALE)");
    real.heading = "AMBIENTE REALE";
    addField(real);
    FieldSpec test = Text("LE5", "Ambiente di Addestramento (PROVA)");
    test.heading = "AMBIENTE DI ADDESTRAMENTO / PROVA";
    addField(test);
    addField(Text("LE7", "Pagina iniziale del sito dell'Agenzia delle Dogane"));
}

void WebAddressesForm::onOpen() {
    loaded_ = ReadOrCreateSettingsRecord(session_.webPath(), Blank());
    TableTrim(loaded_);
    set("LE3", loaded_.STR1[3]);
    set("LE5", loaded_.STR1[5]);
    set("LE7", loaded_.STR1[7]);
    focusOn("LE3");
}

void WebAddressesForm::onConfirm() {
    TableRecord rec = loaded_;
    rec.STR1[3] = text("LE3");
    rec.STR1[5] = text("LE5");
    rec.STR1[7] = text("LE7");
    SaveSettingsRecord(session_.webPath(), rec);
    close();
}

// --- TFARROTONDAMENTI ---

RoundingForm::RoundingForm(Session& session, UserDialogs& dialogs)
    : FormModel(dialogs, "TFARROTONDAMENTI",
                "Imposta gli arrotondamenti da applicare nei registri"),
      session_(session) {
    FieldSpec litres;
    litres.name = "INTERI1";
    litres.caption =
        "Arrotonda i litri di birra per ogni condizionamento alla parte intera, come previsto "
        "dall'art.35 comma 1? S/N";
    litres.maxLength = 1;
    litres.letterCase = LetterCase::Upper;
    addField(litres);
    FieldSpec degrees = litres;
    degrees.name = "INTERI2";
    degrees.caption = "Arrotonda gli ETTOGRADI per ogni condizionamento alla parte intera? S/N";
    degrees.note = "Non è previsto dal T.U.A. ma alcune dogane pretendono l'arrotondamento ";
    addField(degrees);
}

TableRecord RoundingForm::Initial() {
    TableRecord rec = Blank();
    rec.INTERI[1] = 1;
    rec.INTERI[2] = 0;
    return rec;
}

void RoundingForm::onOpen() {
    loaded_ = ReadOrCreateSettingsRecord(session_.roundingPath(), Initial());
    set("INTERI1", loaded_.INTERI[1] == 1 ? "S" : "N");
    set("INTERI2", loaded_.INTERI[2] == 1 ? "S" : "N");
    focusOn("INTERI1");
}

Check RoundingForm::yesNoCheck(const std::string& field) {
    const std::string t = text(field);
    if (!t.empty() && (t[0] == 'S' || t[0] == 'N')) return Check::Pass();
    dialogs().warn("Digita:  S =Sì   oppure N =No");
    return Check::StayOn(field);
}

Check RoundingForm::onLeave(const std::string& field) {
    return yesNoCheck(field);
}

Check RoundingForm::onReachConfirm() {
    if (Check c = yesNoCheck("INTERI1"); !c) return c;
    return yesNoCheck("INTERI2");
}

void RoundingForm::onConfirm() {
    TableRecord rec = loaded_;
    rec.INTERI[1] = text("INTERI1") == "S" ? 1 : 0;
    rec.INTERI[2] = text("INTERI2") == "S" ? 1 : 0;
    SaveSettingsRecord(session_.roundingPath(), rec);
    close();
}

}  // namespace veltrano
