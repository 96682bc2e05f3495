// The main menu's rows, and what running an item does.
#include <gtest/gtest.h>

#include "shell/main_menu.h"
#include "shell/settings_check.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

std::vector<std::string> Captions(const std::vector<MenuItem>& rows) {
    std::vector<std::string> out;
    for (const auto& m : rows)
        out.push_back(m.kind == MenuKind::Separator ? "-" : m.caption);
    return out;
}

TEST(MainMenuTest, MenuBarAndTheFirstMenuInOrder) {
    const auto& bar = MainMenu();
    EXPECT_EQ(Captions(bar),
              (std::vector<std::string>{"&Dati Generali", "&Preventive", "&Materie Prime", "M&osto",
                                        "&Condizionato", "&Tributi", "&Flussi telematici",
                                        "&Bilanci", "&Info"}));
    EXPECT_EQ(Captions(bar[0].children),
              (std::vector<std::string>{
                  "&Giacenze inizio anno dei registri", "-", "&Dati Fiscali / Anagrafici",
                  "&Tabella materie prime", "&Ricette di birra prodotte", "-",
                  "R&egistra il cambio password", "-", "&Importo accisa ridotta",
                  "I&mposta Account della PEC", "Im&postazioni della Firma digitale",
                  "Imp&osta arrotondamenti da applicare", "I&ndirizzi WEB delle dogane", "-",
                  "&Uffici Doganali", "T&abella Tipi Documento", "Impo&sta la stampante di Default",
                  "&Strutture"}));
    EXPECT_EQ(
        Captions(FindMenuItem("mosto-temperature")->children),
        (std::vector<std::string>{"&Mostra/Ricerca le temperature", "&Carica i dati dal PLC"}));
    EXPECT_EQ(
        Captions(FindMenuItem("cond-etichettatrice")->children),
        (std::vector<std::string>{
            "Avvia l'applicazione Industria 4.0", "&Mostra/Ricerca lavori etichettatrice",
            "&Controlla dati da Etichettatrice", "&Imposta account mail per etichettatrice"}));
}

TEST(MainMenuTest, ItemsCarryTheirTagsModesAndChecks) {
    struct Case {
        const char* id;
        const char* caption;
        int tag;
        const char* mode;
        bool check;
    };
    const Case cases[] = {
        {"uffici-doganali", "&Uffici Doganali", 3, "TA03", false},
        {"preventiva-cancella", "&Cancella Comunicazione Preventiva", 7, "p", false},
        {"mosto-modifica", "&Modifica ", 12, "M", true},
        {"cond-modifica", "&Modifica", 13, "N", true},
        {"trib-rettifica-modifica", "Re&ttifica: Modifica Record E/R", 2, "t", true},
        {"firma-esegue", "&Esegue software Firma Digitale", 100, "", true},
        {"firma-digitale", "Im&postazioni della Firma digitale", 0, "", true},
        {"dati-azienda", "&Dati Fiscali / Anagrafici", 0, "", false},
    };
    for (const auto& c : cases) {
        const MenuItem* m = FindMenuItem(c.id);
        ASSERT_NE(m, nullptr) << c.id;
        EXPECT_EQ(m->caption, c.caption);
        EXPECT_EQ(m->tag, c.tag) << c.id;
        EXPECT_EQ(m->mode, c.mode) << c.id;
        EXPECT_EQ(m->settingsCheck, c.check) << c.id;
    }
    EXPECT_TRUE(FindMenuItem("strutture")->hidden);
    const MenuItem* sub = FindMenuItem("cond-sospensione");
    EXPECT_EQ(
        Captions(sub->children),
        (std::vector<std::string>{
            "&Versamento nuova cauzione", "&Trasferimento in sospensione (e-AD)",
            "&Nota di ricevimento, svincolo garanzia", "&Ricerca i movimenti della garanzia"}));
}

TEST(MainMenuTest, RegimeDecidesTheSuspendedDutyItems) {
    const MenuState a = MenuStateFor("A", "/w");
    const MenuState s = MenuStateFor("S", "/w");
    for (const char* id : {"cond-vendita", "cond-resi"}) {
        EXPECT_FALSE(a.isEnabled(*FindMenuItem(id))) << id;
        EXPECT_TRUE(a.isVisible(*FindMenuItem(id))) << id;
        EXPECT_TRUE(s.isEnabled(*FindMenuItem(id))) << id;
    }
    for (const char* id : {"cond-sospensione", "cond-allegato-giorno", "cond-allegato-periodo",
                           "cond-giacenze", "cond-importa"}) {
        EXPECT_FALSE(a.isVisible(*FindMenuItem(id))) << id;
        EXPECT_TRUE(s.isVisible(*FindMenuItem(id))) << id;
    }
    EXPECT_EQ(FindMenuItem("cond-importa")->caption, "Importa le vendite da TORVELLA");
    EXPECT_TRUE(a.isVisible(*FindMenuItem("cond-condizionamento")));
    EXPECT_FALSE(s.isVisible(*FindMenuItem("strutture")));
}

class RunMenuItemTest : public ::testing::Test {
protected:
    TempWorkFolder tmp;
    FixedClock clock{Date(2026, 12, 11) + 0.4};
    Session session{tmp.folders(), clock};
    ScriptedDialogs dialogs;
    std::vector<std::string> actions;
    ShellActions shell{[this](const std::string& a) { actions.push_back("open " + a); },
                       [this](const std::string& p) { actions.push_back("run " + p); },
                       [this] { actions.push_back("info"); },
                       [this] { actions.push_back("refresh"); }};
};

TEST_F(RunMenuItemTest, SettingsCheckStopsTheItem) {
    RunMenuItem(*FindMenuItem("firma-digitale"), session, dialogs, shell);
    EXPECT_EQ(dialogs.messages().size(), 3u);
    for (const auto& s : dialogs.shown)
        EXPECT_NE(s.kind, "open");

    dialogs.clear();
    RunMenuItem(*FindMenuItem("arrotondamenti"), session, dialogs, shell);  // no check
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "TFARROTONDAMENTI");
}

TEST_F(RunMenuItemTest, ItemsOpenTheirWindowsAndActions) {
    testing::WriteCompany(session, testing::SampleCompany());
    testing::WriteCompleteSettings(session);
    RunMenuItem(*FindMenuItem("dati-azienda"), session, dialogs, shell);
    RunMenuItem(*FindMenuItem("mosto-modifica"), session, dialogs, shell);
    EXPECT_EQ(session.tag, 12);
    EXPECT_EQ(session.mode, "M");
    RunMenuItem(*FindMenuItem("flusso-crea"), session, dialogs, shell);
    EXPECT_EQ(session.currentYear, "2026");
    RunMenuItem(*FindMenuItem("web-home"), session, dialogs, shell);
    RunMenuItem(*FindMenuItem("web-edi"), session, dialogs, shell);
    RunMenuItem(*FindMenuItem("firma-esegue"), session, dialogs, shell);  // no program set
    RunMenuItem(*FindMenuItem("info"), session, dialogs, shell);
    RunMenuItem(*FindMenuItem("mp-totali"), session, dialogs, shell);  // a later Part: nothing

    std::vector<std::string> opened;
    for (const auto& s : dialogs.shown) {
        if (s.kind == "open") opened.push_back(s.text);
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"TFDATIAZIENDA", "TFSCEGLIMOVIMENTO M",
                                                "TFCREAFIRMAINVIAREGISTRO"}));
    EXPECT_EQ(actions, (std::vector<std::string>{"refresh", "open https://www.example.test/",
                                                 "open https://edi.example.test/reale", "info"}));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(RunMenuItemTest, ConditionedRegisterPrintFollowsTheRegime) {
    testing::WriteCompleteSettings(session);
    for (const char* regime : {"S", "A"}) {
        CompanyRecord c = testing::SampleCompany();
        c.TIPOIN = regime;
        testing::WriteCompany(session, c);
        RunMenuItem(*FindMenuItem("cond-stampa-giorno"), session, dialogs, shell);
        RunMenuItem(*FindMenuItem("cond-allegato-periodo"), session, dialogs, shell);
    }
    std::vector<std::string> opened;
    for (const auto& s : dialogs.shown)
        opened.push_back(s.text);
    EXPECT_EQ(opened,
              (std::vector<std::string>{"TFSTAREG_CONDII 1", "TFSTAREG_CONDIZIONATO 2",
                                        "TFSTAREG_CONDIZIONATO 1", "TFSTAREG_CONDIZIONATO 2"}));
}

TEST_F(RunMenuItemTest, IntegratedSigningOpensTheIntegratedFlowWindow) {
    testing::WriteCompany(session, testing::SampleCompany());
    testing::WriteCompleteSettings(session);
    TableRecord signing = *ReadSettingsRecord(session.signingPath());
    signing.INTERI[0] = 1;
    signing.STR1[0] = "/opt/firma/avvia";
    SaveSettingsRecord(session.signingPath(), signing);
    RunMenuItem(*FindMenuItem("flusso-crea"), session, dialogs, shell);
    RunMenuItem(*FindMenuItem("firma-esegue"), session, dialogs, shell);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown[0].text, "TFCREAFIRMAINVIACHILKAT");
    EXPECT_EQ(actions, std::vector<std::string>{"run /opt/firma/avvia"});
}

}  // namespace
}  // namespace veltrano
