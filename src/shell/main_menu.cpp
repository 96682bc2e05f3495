#include "shell/main_menu.h"

#include "core/dates.h"
#include "core/file_io.h"
#include "shell/settings_check.h"

namespace veltrano {
namespace {

// Builders that keep the table below close to the rows it comes from.
struct Row {
    MenuItem item;
    Row& opens(std::string w) {
        item.window = std::move(w);
        return *this;
    }
    Row& check() {
        item.settingsCheck = true;
        return *this;
    }
    Row& tag(int t) {
        item.tag = t;
        return *this;
    }
    Row& mode(std::string m) {
        item.mode = std::move(m);
        return *this;
    }
    Row& onlySuspendedEnabled() {
        item.regime = RegimeRule::EnabledOnlySuspended;
        return *this;
    }
    Row& onlySuspendedVisible() {
        item.regime = RegimeRule::VisibleOnlySuspended;
        return *this;
    }
    Row& hidden() {
        item.hidden = true;
        return *this;
    }
    Row& year() {
        item.currentYear = true;
        return *this;
    }
    operator MenuItem() const { return item; }  // NOLINT: table notation
};

Row I(std::string id, std::string caption) {
    Row r;
    r.item.id = std::move(id);
    r.item.caption = std::move(caption);
    return r;
}

MenuItem Sep() {
    MenuItem m;
    m.kind = MenuKind::Separator;
    return m;
}

MenuItem Sub(std::string id, std::string caption, std::vector<MenuItem> rows,
             RegimeRule regime = RegimeRule::None) {
    MenuItem m;
    m.kind = MenuKind::Submenu;
    m.id = std::move(id);
    m.caption = std::move(caption);
    m.children = std::move(rows);
    m.regime = regime;
    return m;
}

std::vector<MenuItem> BuildMenu() {
    std::vector<MenuItem> bar;
    bar.push_back(Sub(
        "dati-generali", "&Dati Generali",
        {
            I("giacenze-inizio-anno", "&Giacenze inizio anno dei registri")
                .opens("TFGIACENZE")
                .check(),
            Sep(),
            I("dati-azienda", "&Dati Fiscali / Anagrafici").opens("TFDATIAZIENDA"),
            I("tabella-materie-prime", "&Tabella materie prime").opens("TFMATPRI").mode("MATPRIME"),
            I("ricette", "&Ricette di birra prodotte").opens("TFPRODAZ").mode("PRAZ"),
            Sep(),
            I("cambio-password", "R&egistra il cambio password").opens("TFCAMBIAPSW"),
            Sep(),
            I("tabella-accise", "&Importo accisa ridotta").opens("TFTABACCISE"),
            I("account-pec", "I&mposta Account della PEC").opens("TFACCOUNT_PEC"),
            I("firma-digitale", "Im&postazioni della Firma digitale").opens("TFPERCORSI").check(),
            I("arrotondamenti", "Imp&osta arrotondamenti da applicare").opens("TFARROTONDAMENTI"),
            I("indirizzi-web", "I&ndirizzi WEB delle dogane").opens("TFINDWEB"),
            Sep(),
            I("uffici-doganali", "&Uffici Doganali").opens("TFCODICI").tag(3).mode("TA03"),
            I("tipi-documento", "T&abella Tipi Documento").opens("TFCODICI").tag(5).mode("TA05C"),
            I("stampante", "Impo&sta la stampante di Default").opens("TFIMPOSTALASTAMPANTE"),
            I("strutture", "&Strutture").opens("TFSTRUTAB").hidden(),
        }));
    bar.push_back(
        Sub("preventive", "&Preventive",
            {
                I("preventiva-nuova", "&Nuova Comunicazione Preventiva").opens("TFPREVENTIVA"),
                I("preventiva-modifica", "&Modifica Comunicazione Preventiva")
                    .opens("TFSCEGLIMOVIMENTO")
                    .check()
                    .mode("C"),
                I("preventiva-cancella", "&Cancella Comunicazione Preventiva")
                    .opens("TFCANCMOVIM")
                    .tag(7)
                    .mode("p"),
                I("preventiva-ricerca", "&Ricerca comunicazioni preventive").opens("TFRICPREV"),
                Sep(),
                I("preventiva-invia", "&Invia la comunicazione alla Dogana")
                    .opens("TFSCEGLIMOVIMENTO")
                    .check()
                    .mode("I"),
            }));
    bar.push_back(
        Sub("materie-prime", "&Materie Prime",
            {
                I("mp-carichi-scarichi", "&Carichi / Scarichi").opens("TFCARSCAMP").check(),
                I("mp-modifica", "&Modifica").opens("TFSCEGLICARSCAMP").check(),
                I("mp-cancella", "C&ancella").opens("TFCANCMOVIM").tag(5).mode("P"),
                Sep(),
                I("mp-stampa-giorno-materia", "&Stampa Registro x giorno e x materia")
                    .opens("TFSTAREGCARSCAMP")
                    .check()
                    .tag(1),
                I("mp-stampa-periodo-materia", "Stam&pa Registro x periodo e x materia")
                    .opens("TFSTAREG_MP_PERIODO")
                    .check()
                    .tag(1),
                Sep(),
                I("mp-stampa-giorno-tutte", "Stampa R&egistro x giorno tutte le materie")
                    .opens("TFSTAREGCARSCAMP")
                    .check()
                    .tag(2),
                I("mp-stampa-periodo-tutte", "Stampa Re&gistro x periodo tutte le materie")
                    .opens("TFSTAREG_MP_PERIODO")
                    .check()
                    .tag(2),
                Sep(),
                I("mp-riepilogo", "Stampa &il riepilogo del registro materie prime")
                    .opens("TFSTAREGTOTALIMP")
                    .check(),
                Sep(),
                I("mp-ricerca", "&Ricerca Movimenti").opens("TFRICCARSCAMP"),
                I("mp-totali", "T&otali Materie Prime"),
                Sep(),
                I("mp-tabella", "&Tabella materie prime").opens("TFMATPRI").mode("MATPRIME"),
            }));
    bar.push_back(Sub(
        "mosto", "M&osto",
        {
            I("mosto-cotta", "&Nuova Cotta").opens("TFPRODUZIONE").check(),
            I("mosto-sanificazione", "&Sanificazione").opens("TFLAVAGGIO").check(),
            Sep(),
            I("mosto-modifica", "&Modifica ").opens("TFSCEGLIMOVIMENTO").check().tag(12).mode("M"),
            I("mosto-cancella", "&Cancella ").opens("TFCANCMOVIM").tag(1).mode("C"),
            I("mosto-contalitri", "C&ontrolla continuità del contalitri").opens("TFCONTR_CONTAL"),
            Sep(),
            I("mosto-stampa-giorno", "S&tampa il Registro del Mosto x GIORNO")
                .opens("TFSTAREGCARSCA")
                .check()
                .tag(1),
            Sep(),
            I("mosto-stampa-periodo", "St&ampa il registro del Mosto x PERIODO ")
                .opens("TFSTAREGCARSCA")
                .check()
                .tag(2),
            Sep(),
            I("mosto-riepilogo", "Stampa i&l riepilogo del registro del Mosto")
                .opens("TFSTAREGTOTALIMOSTO")
                .check(),
            Sep(),
            I("mosto-ricerca-cotte", "&Ricerca solo le Cotte").tag(1),
            I("mosto-ricerca-sanificazioni", "R&icerca solo le Sanificazioni").tag(2),
            I("mosto-ricerca-tutto", "Ric&erca Cotte e Sanificazioni").tag(2),
            I("mosto-lotti", "Situa&zione Mosto per lotto"),
            Sep(),
            Sub("mosto-industria40", "In&dustria 4.0 Produzioni",
                {
                    I("mosto-i40-avvia", "&Avvia l'applicazione Industria 4.0"),
                    I("mosto-i40-protocolla", "&Protocolla i dati nel registro doganale")
                        .opens("TFREGINDUSTRIA40COTTE"),
                    I("mosto-i40-inviati", "&Mostra/Ricerca i dati inviati al PLC")
                        .opens("TFRIC_INDUSTRIA40CTS"),
                    I("mosto-i40-ricevuti", "M&ostra/Ricerca i dati ricevuti dal PLC")
                        .opens("TFRIC_INDUSTRIA40CTR"),
                }),
            Sub("mosto-temperature", "Ind&ustria 4.0 Temperature",
                {
                    I("temperature-ricerca", "&Mostra/Ricerca le temperature")
                        .opens("TFRIC_INDUSTRIA40FTR"),
                    I("temperature-carica", "&Carica i dati dal PLC"),
                }),
        }));
    bar.push_back(Sub(
        "condizionato", "&Condizionato",
        {
            I("cond-condizionamento", "&Condizionamento").opens("TFCONDIZIONAMENTO").check().tag(1),
            I("cond-scarto", "&Scarto finale").check(),
            Sep(),
            I("cond-travasi", "Tr&avasi (scarico-carico accisa sospesa)").check().mode("4"),
            I("cond-vendita", "&Vendita (estrazione dal deposito)")
                .opens("TFCONDIZIONAMENTO")
                .check()
                .tag(2)
                .onlySuspendedEnabled(),
            Sub("cond-sospensione", "Tras&ferimenti in sospensione",
                {
                    I("cond-cauzione", "&Versamento nuova cauzione").opens("TFCAUZIONE").check(),
                    I("cond-ead", "&Trasferimento in sospensione (e-AD)")
                        .opens("TFCONDIZIONAMENTO")
                        .check()
                        .tag(4),
                    I("cond-ricevimento", "&Nota di ricevimento, svincolo garanzia")
                        .opens("TFSCEGLIMOVIMENTO")
                        .check()
                        .mode("E"),
                    I("cond-ricerca-garanzia", "&Ricerca i movimenti della garanzia")
                        .opens("TFRIC_CAUZIONI"),
                },
                RegimeRule::VisibleOnlySuspended),
            I("cond-resi", "Car&ico da RESI (accisa a credito)")
                .opens("TFCONDIZIONAMENTO")
                .check()
                .tag(3)
                .onlySuspendedEnabled(),
            Sep(),
            I("cond-modifica", "&Modifica").opens("TFSCEGLIMOVIMENTO").check().tag(13).mode("N"),
            I("cond-cancella", "Ca&ncella").opens("TFCANCMOVIM").tag(8).mode("N"),
            I("cond-ricalcola", "Ricalcola l'accisa secondo l'ali&quota in tabella")
                .opens("TFRICALCOLA_ACCISA")
                .check(),
            Sep(),
            I("cond-stampa-giorno", "S&tampa il Registro del Condizionato x GIORNO")
                .opens("TFSTAREG_CONDIZIONATO")
                .check()
                .tag(1),
            I("cond-allegato-giorno", "Stampa alle&gato II senza cauzioni x giorno")
                .opens("TFSTAREG_CONDIZIONATO")
                .check()
                .tag(1)
                .onlySuspendedVisible(),
            Sep(),
            I("cond-stampa-periodo", "Stam&pa il registro del Condizionato x PERIODO")
                .opens("TFSTAREG_CONDIZIONATO")
                .check()
                .tag(2),
            I("cond-allegato-periodo", "Stampa a&llegato II senza cauzioni x periodo")
                .opens("TFSTAREG_CONDIZIONATO")
                .check()
                .tag(2)
                .onlySuspendedVisible(),
            Sep(),
            I("cond-riepilogo-lotti", "Ri&epilogo condizionamenti per lotto")
                .opens("TFSIT_CONDIZIONAMENTI"),
            I("cond-ricerca", "&Ricerca nel registro").opens("TFRIC_CONDIZIONAMENTI"),
            I("cond-giacenze", "Sit&uazione delle giacenze dei prodotti")
                .opens("TFSIT_GIACENZE")
                .onlySuspendedVisible(),
            I("cond-importa", "Importa le vendite da TORVELLA")
                .opens("TFIMPORTA_TORVELLA")
                .check()
                .onlySuspendedVisible(),
            Sep(),
            Sub("cond-industria40", "Industria &4.0 Condizionamento",
                {
                    I("cond-i40-avvia", "&Avvia l'applicazione Industria 4.0"),
                    I("cond-i40-protocolla", "&Protocolla i dati nel registro doganale")
                        .opens("TFREGINDUSTRIA40"),
                    I("cond-i40-inviati", "&Mostra/Ricerca i dati inviati al PLC")
                        .opens("TFRIC_INDUSTRIA40SND"),
                    I("cond-i40-ricevuti", "M&ostra/Ricerca i dati ricevuti dal PLC")
                        .opens("TFRIC_INDUSTRIA40RCV"),
                }),
            Sub("cond-etichettatrice", "In&dustria 4.0 Etichettatrice",
                {
                    I("etich-avvia", "Avvia l'applicazione Industria 4.0"),
                    I("etich-ricerca", "&Mostra/Ricerca lavori etichettatrice")
                        .opens("TFRIC_INDUSTRIA40TCH"),
                    I("etich-controlla", "&Controlla dati da Etichettatrice"),
                    I("etich-account", "&Imposta account mail per etichettatrice")
                        .opens("TFACCOUNT_MAIL"),
                }),
        }));
    bar.push_back(Sub(
        "tributi", "&Tributi",
        {
            I("trib-record-e", "&Riepilogo dell'accisa (Record E)")
                .opens("TFACCISE_DA")
                .check()
                .mode("I"),
            I("trib-record-r", "R&avvedimento (Record R)").opens("TFRAVVEDIM").check().mode("I"),
            I("trib-cancella", "&Cancella record E/R non inviati")
                .opens("TFCANCMOVIM")
                .tag(3)
                .mode("T"),
            Sep(),
            I("trib-ricerca", "R&icerca record E/R").opens("TFRICREGDER").tag(3),
            I("trib-prospetto", "&Prospetto dell'accisa di un periodo")
                .opens("TFPEC_ACCISA")
                .check(),
            Sep(),
            I("trib-rettifica-annulla", "R&ettifica: Annulla Record E/R")
                .opens("TFSCEGLIMOVIMENTO")
                .check()
                .tag(1)
                .mode("T"),
            I("trib-rettifica-modifica", "Re&ttifica: Modifica Record E/R")
                .opens("TFSCEGLIMOVIMENTO")
                .check()
                .tag(2)
                .mode("t"),
            I("trib-rettifica-cancella", "Cance&lla rettifica non inviato")
                .opens("TFCANCMOVIM")
                .tag(4)
                .mode("t"),
        }));
    bar.push_back(
        Sub("flussi", "&Flussi telematici",
            {
                I("flusso-crea", "&Crea, Firma ed Invia il Flusso di tributi")
                    .opens("TFCREAFIRMAINVIAREGISTRO")
                    .check()
                    .year(),
                I("flusso-verifica", "&Verifica l'esito d'invio di un flusso")
                    .opens("TFVERIFICA_FLUSSO")
                    .check()
                    .year(),
                Sep(),
                I("flusso-riattiva", "&Toglie i riferimenti d'invio di un flusso")
                    .opens("TFCANCFLUSSO")
                    .check()
                    .year(),
                I("flusso-segna", "&Segna una comunicazione come inviata")
                    .opens("TFSEGNA_INVIATO")
                    .check()
                    .year(),
                Sep(),
                I("web-home", "&Pagina iniziale Sito Web delle Dogane")
                    .opens(kActionOpenWebHome)
                    .check()
                    .tag(7),
                I("web-edi", "&Ambiente E.D.I. Reale").opens(kActionOpenWebEdi).check().tag(3),
                Sep(),
                I("firma-esegue", "&Esegue software Firma Digitale")
                    .opens(kActionRunSigner)
                    .check()
                    .tag(100),
                I("firma-cancella", "Ca&ncella i file della Firma Digitale")
                    .opens("TFCANCELLA_FILE_FIRMA")
                    .check(),
            }));
    bar.push_back(Sub(
        "bilanci", "&Bilanci",
        {
            I("bil-fine-anno", "&Dichiarazioni fine anno obbligatorie").opens("TFBILANCIO").check(),
            I("bil-produzione", "&Riepilogo produzione per periodo").check(),
            I("bil-rese", "R&ese Condizionato/Mosto").opens("TFRESE"),
            I("bil-energia", "B&ilancio energetico").opens("TFBILANCIO_ENERGIA"),
            I("bil-materia", "&Bilancio materia prima").opens("TFBILANCIO_MAT"),
        }));
    bar.push_back(I("info", "&Info").opens(kActionInfo));
    return bar;
}

const MenuItem* Find(const std::vector<MenuItem>& rows, const std::string& id) {
    for (const auto& m : rows) {
        if (m.kind != MenuKind::Separator && m.id == id) return &m;
        if (const MenuItem* inner = Find(m.children, id)) return inner;
    }
    return nullptr;
}

void CollectRegimeItems(const std::vector<MenuItem>& rows, bool suspended, MenuState& state) {
    for (const auto& m : rows) {
        if (m.regime == RegimeRule::EnabledOnlySuspended) state.enabled[m.id] = suspended;
        if (m.regime == RegimeRule::VisibleOnlySuspended) state.visible[m.id] = suspended;
        CollectRegimeItems(m.children, suspended, state);
    }
}

}  // namespace

const std::vector<MenuItem>& MainMenu() {
    static const std::vector<MenuItem> menu = BuildMenu();
    return menu;
}

const MenuItem* FindMenuItem(const std::string& id) {
    return Find(MainMenu(), id);
}

bool MenuState::isEnabled(const MenuItem& item) const {
    const auto it = enabled.find(item.id);
    return it == enabled.end() || it->second;
}

bool MenuState::isVisible(const MenuItem& item) const {
    if (item.hidden) return false;
    const auto it = visible.find(item.id);
    return it == visible.end() || it->second;
}

MenuState MenuStateFor(const std::string& regime, const std::string& workingFolder) {
    MenuState state;
    CollectRegimeItems(MainMenu(), regime == "S", state);
    state.statusText = workingFolder;
    return state;
}

MenuState RefreshCompanyState(Session& session, UserDialogs& dialogs) {
    const std::string path = session.companyPath();
    if (!FileExists(path)) {
        CompanyRecord blank;
        CompanyBlank(blank);
        SaveCompanyRecord(path, blank);
    }
    CheckSettings(session, dialogs);
    return MenuStateFor(session.company.TIPOIN, session.folders.work);
}

void RunMenuItem(const MenuItem& item, Session& session, UserDialogs& dialogs,
                 const ShellActions& actions) {
    if (item.kind != MenuKind::Item) return;
    if (item.settingsCheck && !CheckSettings(session, dialogs)) return;
    if (item.currentYear) session.currentYear = std::to_string(YearOf(session.clock.today()));
    session.tag = item.tag;
    session.mode = item.mode;

    const std::string& w = item.window;
    if (w.empty()) return;  // an operation of a later Part: nothing yet
    if (w == kActionInfo) {
        if (actions.showInfo) actions.showInfo();
        return;
    }
    if (w == kActionOpenWebHome || w == kActionOpenWebEdi) {
        const std::string address = session.web.STR1[w == kActionOpenWebHome ? 7 : 3];
        if (!IsEmptySetting(address) && actions.openAddress) actions.openAddress(TrimText(address));
        return;
    }
    if (w == kActionRunSigner) {
        const std::string program = TrimText(session.signing.STR1[0]);
        if (!program.empty() && actions.runProgram) actions.runProgram(program);
        return;
    }
    std::string window = w;
    if (item.id == "flusso-crea" && session.signing.INTERI[0] > 0) {
        // Integrated signing: the signer is built in, so it is always present.
        window = "TFCREAFIRMAINVIACHILKAT";
    }
    if ((item.id == "cond-stampa-giorno" || item.id == "cond-stampa-periodo") &&
        session.company.TIPOIN == "S") {
        window = "TFSTAREG_CONDII";  // the register with the deposits
    }
    std::string mode = item.mode;
    if (mode.empty() && item.tag != 0) mode = std::to_string(item.tag);
    dialogs.open(window, mode);
    if (item.id == "dati-azienda" && actions.refreshCompanyState) actions.refreshCompanyState();
}

}  // namespace veltrano
