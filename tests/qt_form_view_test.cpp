// The Qt binding does what the model says: focus return on a failed exit check,
// Enter to the next field, checks when the focus reaches "&CONFERMA", the
// suspension until the first key press, the input rules while typing; and the
// main window's menu, status bar and activation.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "shell/company_data_form.h"
#include "shell/settings_check.h"
#include "shell/settings_forms.h"
#include "shell/ui/form_view.h"
#include "shell/ui/main_window.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

class QtFormViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::WriteOfficeTable(tmp.folders(), {{"VI01", "Ufficio delle Dogane di Vicenza"}});
        testing::WriteCompany(session, testing::SampleCompany());
        testing::WriteCompleteSettings(session);
    }
    void show(FormModel& model, FormView& view) {
        model.open();
        view.sync();
        view.show();
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
        settle();
    }
    static void settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    QLineEdit* edit(FormView& view, const char* name) {
        auto* e = qobject_cast<QLineEdit*>(view.widget(name));
        EXPECT_NE(e, nullptr) << name;
        return e;
    }
    std::string focused() {
        QWidget* w = QApplication::focusWidget();
        return w != nullptr ? w->objectName().toStdString() : std::string{};
    }

    TempWorkFolder tmp;
    FixedClock clock{Date(2026, 12, 11) + 0.4};
    Session session{tmp.folders(), clock};
    ScriptedDialogs dialogs;
};

TEST_F(QtFormViewTest, FailedExitCheckPutsTheFocusBack) {
    CompanyDataForm model(session, dialogs);
    FormView view(model);
    show(model, view);
    EXPECT_EQ(focused(), "CACCI1");
    QLineEdit* regime = edit(view, "TIPOIN");
    regime->setFocus(Qt::TabFocusReason);
    regime->selectAll();
    QTest::keyClicks(regime, "x");
    EXPECT_EQ(regime->text().toStdString(), "X");  // upper case while typing
    QTest::keyClick(regime, Qt::Key_Tab);
    settle();
    EXPECT_EQ(focused(), "TIPOIN");
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"DIGITA: A per Assolta, S per Sospesa"});

    dialogs.clear();
    regime->selectAll();
    QTest::keyClicks(regime, "a");
    QTest::keyClick(regime, Qt::Key_Tab);
    settle();
    EXPECT_EQ(focused(), "BCONF");
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(QtFormViewTest, EnterMovesToTheNextField) {
    CompanyDataForm model(session, dialogs);
    FormView view(model);
    show(model, view);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    EXPECT_EQ(focused(), "DENOM1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    settle();
    EXPECT_EQ(focused(), "PARIVA");
    EXPECT_EQ(model.text("DENOM1"), "Birrificio Val Brenta S.r.l. ");  // its exit check ran
}

TEST_F(QtFormViewTest, ReachingConfirmRunsTheChecksAndTheClickDoesNotSave) {
    CompanyDataForm model(session, dialogs);
    FormView view(model);
    show(model, view);
    const Bytes before = testing::FileBytes(session.companyPath());
    QLineEdit* code = edit(view, "CACCI1");
    code->selectAll();
    QTest::keyClicks(code, "it00abb123456");
    view.confirmButton()->setFocus(Qt::MouseFocusReason);  // the code is checked on the way
    settle();
    dialogs.clear();
    model.type("CACCI1", "IT00ABB123456");
    view.confirmButton()->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"ATTENZIONE CODICE D'ACCISA ERRATO"});
    EXPECT_EQ(focused(), "CACCI1");
    QTest::mouseClick(view.confirmButton(), Qt::LeftButton);
    settle();
    EXPECT_EQ(testing::FileBytes(session.companyPath()), before);
    EXPECT_TRUE(view.isVisible());
}

TEST_F(QtFormViewTest, ConfirmSavesAndCloses) {
    CompanyDataForm model(session, dialogs);
    FormView view(model);
    show(model, view);
    QLineEdit* name = edit(view, "DENOM1");
    name->setFocus(Qt::TabFocusReason);
    name->selectAll();
    QTest::keyClicks(name, "birrificio nuovo");
    view.confirmButton()->setFocus(Qt::TabFocusReason);
    settle();
    QTest::mouseClick(view.confirmButton(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(model.closed());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(TrimText(ReadCompanyRecord(session.companyPath())->DENOM1), "Birrificio nuovo");
}

TEST_F(QtFormViewTest, ChecksAreSuspendedUntilAKeyIsPressed) {
    CompanyDataForm model(session, dialogs);
    FormView view(model);
    model.open();
    model.type("CAUESO", "");  // as if the window had filled it empty
    view.sync();
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    edit(view, "CAUESO")->setFocus(Qt::MouseFocusReason);
    settle();
    edit(view, "CODUTE")->setFocus(Qt::MouseFocusReason);  // a click away, no key yet
    settle();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(focused(), "CODUTE");

    edit(view, "CAUESO")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    settle();
    EXPECT_EQ(dialogs.messages(),
              std::vector<std::string>{"DIGITA: C per Contalitri, E per misuratore Energetico"});
    EXPECT_EQ(focused(), "CAUESO");
}

TEST_F(QtFormViewTest, RadioGroupAndDateMaskFollowTheModel) {
    SigningSettingsForm model(session, dialogs);
    FormView view(model);
    show(model, view);
    EXPECT_TRUE(view.widget("LE1")->isVisible());
    EXPECT_FALSE(view.widget("LE4")->isVisible());
    auto* card = view.findChild<QRadioButton*>(QStringLiteral("INTERI0_1"));
    ASSERT_NE(card, nullptr);
    QTest::mouseClick(card, Qt::LeftButton);
    settle();
    EXPECT_EQ(model.text("INTERI0"), "1");
    EXPECT_FALSE(view.widget("LE1")->isVisible());
    EXPECT_TRUE(view.widget("LE4")->isVisible());
    EXPECT_EQ(edit(view, "LE4")->echoMode(), QLineEdit::Password);
    QLineEdit* date = edit(view, "REALI10");
    date->setFocus(Qt::TabFocusReason);
    date->setCursorPosition(0);
    QTest::keyClicks(date, "15032027");
    EXPECT_EQ(model.text("REALI10"), "15/03/2027");
}

// A window with one amount field, as the tax-record windows will have.
class AmountForm final : public FormModel {
public:
    explicit AmountForm(UserDialogs& d) : FormModel(d, "TFPROVA", "Prova") {
        FieldSpec f;
        f.name = "KIWATT";
        f.caption = "Importo";
        f.kind = FieldKind::Amount;
        addField(f);
        FieldSpec y;
        y.name = "LMOSTO";
        y.caption = "Anno";
        y.kind = FieldKind::Integer;
        y.maxLength = 4;
        addField(y);
    }

private:
    void onOpen() override { focusOn("KIWATT"); }
    void onConfirm() override { close(); }
};

TEST_F(QtFormViewTest, AmountAndWholeNumberTyping) {
    AmountForm model(dialogs);
    FormView view(model);
    show(model, view);
    QLineEdit* amount = edit(view, "KIWATT");
    QTest::keyClicks(amount, "-12a34567.5,9");
    EXPECT_EQ(amount->text().toStdString(), "-1.234.567,59");
    EXPECT_EQ(model.text("KIWATT"), "-1.234.567,59");
    amount->setCursorPosition(2);  // after "-1"
    QTest::keyClicks(amount, "0");
    EXPECT_EQ(amount->text().toStdString(), "-10.234.567,59");
    EXPECT_EQ(amount->cursorPosition(), 3);
    QLineEdit* year = edit(view, "LMOSTO");
    year->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(year, "2x0-26");
    EXPECT_EQ(year->text().toStdString(), "2026");
}

TEST_F(QtFormViewTest, MainWindowMenuStatusAndActivation) {
    class NoHttp : public HttpClient {
    public:
        std::optional<Bytes> get(const std::string&) override { return std::nullopt; }
    } http;
    class NoLauncher : public ProgramLauncher {
    public:
        bool start(const std::string&, const std::string&) override { return false; }
    } launcher;
    CompanyRecord c = testing::SampleCompany();
    c.TIPOIN = "A";
    testing::WriteCompany(session, c);
    MainWindowServices services;
    services.http = &http;
    services.launcher = &launcher;
    MainWindow window(session, dialogs, services);
    window.startUp();
    EXPECT_EQ(window.windowTitle().toStdString(), "VELTRANO");
    EXPECT_EQ(window.size(), QSize(830, 600));
    QStringList bar;
    for (QAction* a : window.menuBar()->actions()) {
        if (!a->isSeparator()) bar << a->text();
    }
    EXPECT_EQ(bar.join(QLatin1Char('|')).toStdString(),
              "&Dati Generali|&Preventive|&Materie Prime|M&osto|&Condizionato|&Tributi|"
              "&Flussi telematici|&Bilanci|&Info");
    EXPECT_FALSE(window.action("cond-vendita")->isEnabled());
    EXPECT_FALSE(window.menu("cond-sospensione")->menuAction()->isVisible());
    EXPECT_FALSE(window.action("strutture")->isVisible());
    EXPECT_TRUE(window.action("dati-azienda")->isEnabled());
    auto* status = window.statusBar()->findChild<QLabel*>();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text().toStdString(), session.folders.work);

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    settle();
    EXPECT_EQ(window.activationRuns(), 1);
    // Activations that do not come back from a menu operation do not repeat it.
    QEvent change(QEvent::ActivationChange);
    QApplication::sendEvent(&window, &change);
    settle();
    EXPECT_EQ(window.activationRuns(), 1);
    window.runItem(*FindMenuItem("mp-totali"));  // an operation of a later Part
    settle();
    EXPECT_EQ(window.activationRuns(), 2);
    EXPECT_TRUE(FileExists(session.versionPath()));
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

// A window with a tick box, as the print dialogs have.
class TickForm final : public FormModel {
public:
    explicit TickForm(UserDialogs& d) : FormModel(d, "TFPROVA", "Prova") {
        FieldSpec t;
        t.name = "CTEST";
        t.caption = "Stampa di prova";
        t.kind = FieldKind::Check;
        addField(t);
    }
    void untick() { set("CTEST", "0"); }

private:
    void onOpen() override { set("CTEST", "1"); }
    void onConfirm() override { close(); }
};

TEST(QtTickBox, FollowsTheModelBothWays) {
    testing::ScriptedDialogs dialogs;
    TickForm model(dialogs);
    FormView view(model);
    model.open();
    view.sync();
    auto* tick = qobject_cast<QCheckBox*>(view.widget("CTEST"));
    ASSERT_NE(tick, nullptr);
    EXPECT_TRUE(tick->isChecked());
    tick->click();
    EXPECT_EQ(model.text("CTEST"), "0");
    tick->click();
    EXPECT_EQ(model.text("CTEST"), "1");
    model.untick();
    view.sync();
    EXPECT_FALSE(tick->isChecked());
    model.type("CTEST", "x");  // anything but "1" is not ticked
    EXPECT_EQ(model.text("CTEST"), "0");
}

}  // namespace
}  // namespace veltrano
