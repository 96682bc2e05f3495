// Start-up, the activation sequence on the clock, the version check against a
// loopback HTTP server, and the information text.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "core/dates.h"
#include "core/file_io.h"
#include "platform/curl_http_client.h"
#include "shell/settings_check.h"
#include "shell/startup.h"
#include "shell/window_registry.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

// Serves one fixed HTTP response to every request on 127.0.0.1.
class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::string response) : response_(std::move(response)) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::listen(fd_, 4) != 0) {
            throw std::runtime_error("loopback server");
        }
        socklen_t len = sizeof addr;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~LoopbackHttpServer() {
        stop_ = true;
        ::shutdown(fd_, SHUT_RDWR);
        ::close(fd_);
        thread_.join();
    }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    int requests() const { return requests_; }

private:
    void serve() {
        while (!stop_) {
            const int c = ::accept(fd_, nullptr, nullptr);
            if (c < 0) return;
            char buf[2048];
            std::string request;
            while (request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = ::recv(c, buf, sizeof buf, 0);
                if (n <= 0) break;
                request.append(buf, static_cast<std::size_t>(n));
            }
            ++requests_;
            std::size_t sent = 0;
            while (sent < response_.size()) {
                const ssize_t n =
                    ::send(c, response_.data() + sent, response_.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += static_cast<std::size_t>(n);
            }
            ::close(c);
        }
    }
    std::string response_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

std::string VersionResponse(double date) {
    std::string body(8, '\0');
    std::memcpy(body.data(), &date, 8);
    return "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: 8\r\n"
           "Connection: close\r\n\r\n" +
           body;
}

class NoHttp : public HttpClient {
public:
    int calls = 0;
    std::optional<Bytes> get(const std::string&) override {
        ++calls;
        return std::nullopt;
    }
};

class RecordingLauncher : public ProgramLauncher {
public:
    std::vector<std::string> started;
    bool succeed = true;
    bool start(const std::string& path, const std::string&) override {
        started.push_back(path);
        return succeed;
    }
};

class StartupTest : public ::testing::Test {
protected:
    void completeSettings() {
        session.folders.create();
        testing::WriteCompany(session, testing::SampleCompany());
        testing::WriteCompleteSettings(session);
    }
    ActivationOutcome activate() {
        return RunActivation(session, dialogs, http, launcher, "http://127.0.0.1:9/none", {});
    }
    void setCertificateExpiry(double date) {
        TableRecord rec;
        TableBlank(rec);
        rec.STR1[1] = "/a/";
        rec.STR1[2] = "/b/";
        rec.REALI1[0] = date;
        SaveSettingsRecord(session.signingPath(), rec);
    }
    MovementRecord taxRecordE(const std::string& period) {
        MovementRecord m;
        MovementBlank(m);
        m.NUMMOV = 1;
        m.TIPREC = "E";
        m.TIPOPE = "I";
        m.CODPAE = period;
        return m;
    }

    TempWorkFolder tmp;
    FixedClock clock{Date(2026, 12, 11) + 0.4};
    Session session{tmp.folders(), clock};
    ScriptedDialogs dialogs;
    NoHttp http;
    RecordingLauncher launcher;
};

TEST_F(StartupTest, FirstStartInAnEmptyFolder) {
    const MenuState state = StartUp(session, dialogs, {});
    for (const auto* f :
         {&session.folders.temp, &session.folders.datiGen, &session.folders.registri,
          &session.folders.log, &session.folders.xfirma}) {
        EXPECT_TRUE(std::filesystem::is_directory(*f)) << *f;
    }
    const std::vector<std::string> three = {kMsgNoCompanyData, kMsgNoSigningPaths, kMsgNoWebPaths};
    std::vector<std::string> twice = three;
    twice.insert(twice.end(), three.begin(), three.end());
    EXPECT_EQ(dialogs.messages(), twice);

    const Bytes company = testing::FileBytes(session.companyPath());
    ASSERT_EQ(company.size(), 608u);
    CompanyRecord blank;
    CompanyBlank(blank);
    CompanyRecord read = CompanyRecord::decode(company);
    read.DENOM2 = blank.DENOM2;  // the settings check may have put the default address
    read.DENOM2tail = blank.DENOM2tail;
    EXPECT_EQ(read, blank);
    EXPECT_EQ(state.statusText, session.folders.work);

    dialogs.clear();
    EXPECT_EQ(activate(), ActivationOutcome::Continue);
    const Bytes version = testing::FileBytes(session.versionPath());
    ASSERT_EQ(version.size(), 8u);
    EXPECT_EQ(GetDouble(version, 0), Date(2026, 12, 11));
    EXPECT_TRUE(FileExists(session.signingPath()));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(InfoVersionText(session), "ultimo aggiornamento: 11/12/2026");
}

TEST_F(StartupTest, StartUpRefreshesTheIndustryFilesBetweenTheTwoChecks) {
    std::vector<std::string> order;
    StartupHooks hooks;
    hooks.refreshIndustry40 = [&] {
        order.push_back("i40 after " + std::to_string(dialogs.messages().size()));
    };
    StartUp(session, dialogs, hooks);
    EXPECT_EQ(order, std::vector<std::string>{"i40 after 3"});
}

TEST_F(StartupTest, InfoTextIsEmptyWithoutVersionFile) {
    EXPECT_EQ(InfoVersionText(session), "");
}

TEST_F(StartupTest, CertificateExpiryWarning) {
    completeSettings();
    struct Case {
        double expiry;
        bool warns;
    };
    const double today = clock.today();
    const Case cases[] = {
        {today + 31, false}, {today + 30, true}, {today + 1, true},
        {today - 10, true},  {0, false},         {Date(2000, 1, 1), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(FormatDate(c.expiry));
        setCertificateExpiry(c.expiry);
        dialogs.clear();
        activate();
        const auto msgs = dialogs.messages();
        if (c.warns) {
            ASSERT_EQ(msgs.size(), 1u);
            EXPECT_EQ(msgs[0],
                      "Attenzione il certificato di firma scade il " + FormatDate(c.expiry));
        } else {
            EXPECT_TRUE(msgs.empty());
        }
    }
}

TEST_F(StartupTest, TaxSummaryReminderOnTheClock) {
    completeSettings();
    MovementRecord batch;
    MovementBlank(batch);
    batch.NUMMOV = 1;
    batch.TIPMOV = "C";
    batch.DATMOV = Date(2025, 6, 3);
    MakeFolders(session.folders.registri);
    testing::AppendMovement(JoinPath(session.folders.registri, "2025.CTT"), batch);

    struct Case {
        double day;
        std::optional<std::string> reminder;
    };
    const Case cases[] = {
        {Date(2026, 3, 4), std::nullopt},
        {Date(2026, 3, 5), "Ricorda di inviare il riepilogo dei tributi: Febbraio 2026"},
        {Date(2026, 12, 20),
         "Ricorda di inviare il riepilogo dei tributi: 1^ quindicina di dicembre 2026"},
        {Date(2026, 12, 15), "Ricorda di inviare il riepilogo dei tributi: Novembre 2026"},
        {Date(2026, 1, 10),
         "Ricorda di inviare il riepilogo dei tributi: 2^ quindicina di dicembre 2025"},
        {Date(2026, 11, 5), "Ricorda di inviare il riepilogo dei tributi: Ottobre 2026"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(FormatDate(c.day));
        clock.set(c.day + 0.4);
        EXPECT_EQ(TaxSummaryReminder(session), c.reminder);
    }
    // The reminder is part of the activation.
    clock.set(Date(2026, 3, 5) + 0.4);
    dialogs.clear();
    activate();
    EXPECT_EQ(
        dialogs.messages(),
        std::vector<std::string>{"Ricorda di inviare il riepilogo dei tributi: Febbraio 2026"});
}

TEST_F(StartupTest, TaxSummaryReminderLooksForAValidRecordE) {
    completeSettings();
    MakeFolders(session.folders.registri);
    const std::string der = JoinPath(session.folders.registri, "2026.DER");
    clock.set(Date(2026, 3, 5) + 0.4);
    const std::string expected = "Ricorda di inviare il riepilogo dei tributi: Febbraio 2026";

    // A record of another period: the file holds records, so the reminder shows.
    testing::AppendMovement(der, taxRecordE("01"));
    EXPECT_EQ(TaxSummaryReminder(session), expected);
    // An annulled one, an annulment and a record R do not count.
    MovementRecord annulled = taxRecordE("02");
    annulled.TIPRET = "C";
    testing::AppendMovement(der, annulled);
    MovementRecord annulment = taxRecordE("02");
    annulment.TIPOPE = "C";
    testing::AppendMovement(der, annulment);
    MovementRecord r = taxRecordE("02");
    r.TIPREC = "R";
    testing::AppendMovement(der, r);
    EXPECT_EQ(TaxSummaryReminder(session), expected);
    // The ordinary record E of February stops it.
    testing::AppendMovement(der, taxRecordE("02"));
    EXPECT_EQ(TaxSummaryReminder(session), std::nullopt);
}

TEST_F(StartupTest, TaxSummaryReminderNeedsWorkWhenNoTaxRecordExists) {
    completeSettings();
    MakeFolders(session.folders.registri);
    clock.set(Date(2026, 3, 5) + 0.4);
    EXPECT_EQ(TaxSummaryReminder(session), std::nullopt);  // a brewery that has not started
    EXPECT_TRUE(FileExists(JoinPath(session.folders.registri, "2026.DER")));
    EXPECT_TRUE(FileExists(JoinPath(session.folders.registri, "2025.CTT")));

    MovementRecord batch;
    MovementBlank(batch);
    batch.NUMMOV = 1;
    batch.DATMOV = Date(2026, 3, 1);  // after the end of February
    testing::AppendMovement(JoinPath(session.folders.registri, "2026.CTT"), batch);
    EXPECT_EQ(TaxSummaryReminder(session), std::nullopt);
    batch.DATMOV = Date(2026, 2, 28);
    testing::AppendMovement(JoinPath(session.folders.registri, "2026.CTT"), batch);
    EXPECT_TRUE(TaxSummaryReminder(session).has_value());
}

TEST_F(StartupTest, UpdateOfferedFromTheLoopbackServer) {
    completeSettings();
    InstalledVersionDate(session);  // today
    LoopbackHttpServer server(VersionResponse(clock.today() + 3));
    CurlHttpClient curl;
    // The update program of a Linux installation has no ".EXE".
    const std::string updater = JoinPath(session.folders.work, "AGGIORNAMENTO");
    ReplaceFileAtomically(updater, Bytes{'#', '!'});

    dialogs.answers = {false};  // No
    EXPECT_EQ(RunActivation(session, dialogs, curl, launcher, server.url("/VERS_VELTRANO.DAT"), {}),
              ActivationOutcome::Continue);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown[0].kind, "okno");
    EXPECT_EQ(dialogs.shown[0].text,
              "E'disponibile un nuovo aggiornamento - premi \"OK\" per AGGIORNARE ");
    EXPECT_TRUE(launcher.started.empty());
    const Bytes downloaded = testing::FileBytes(session.downloadedVersionPath());
    ASSERT_EQ(downloaded.size(), 8u);
    EXPECT_EQ(GetDouble(downloaded, 0), clock.today() + 3);
    EXPECT_EQ(GetDouble(testing::FileBytes(session.versionPath()), 0), clock.today());

    dialogs.clear();
    dialogs.answers = {true};  // OK
    EXPECT_EQ(RunActivation(session, dialogs, curl, launcher, server.url("/VERS_VELTRANO.DAT"), {}),
              ActivationOutcome::Quit);
    EXPECT_EQ(launcher.started, std::vector<std::string>{updater});

    // Without an update program the user is told and the program goes on.
    RemoveFile(updater);
    dialogs.clear();
    dialogs.answers = {true};
    EXPECT_EQ(RunActivation(session, dialogs, curl, launcher, server.url("/VERS_VELTRANO.DAT"), {}),
              ActivationOutcome::Continue);
    EXPECT_EQ(dialogs.messages(),
              std::vector<std::string>{
                  "Impossibile avviare il programma di aggiornamento AGGIORNAMENTO.EXE"});
    EXPECT_GE(server.requests(), 3);
}

TEST_F(StartupTest, VersionCheckFailuresAreSilent) {
    completeSettings();
    InstalledVersionDate(session);
    CurlHttpClient curl;
    struct Case {
        const char* what;
        std::string response;
    };
    const Case cases[] = {
        {"same version", VersionResponse(clock.today())},
        {"older version", VersionResponse(clock.today() - 100)},
        {"not found", "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"},
        {"short body", "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nConnection: close\r\n\r\nabc"},
        {"garbage", "nonsense\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoopbackHttpServer server(c.response);
        dialogs.clear();
        EXPECT_EQ(RunActivation(session, dialogs, curl, launcher, server.url("/v"), {}),
                  ActivationOutcome::Continue);
        EXPECT_TRUE(dialogs.shown.empty());
    }
    // Nobody listening.
    int port = 0;
    {
        LoopbackHttpServer gone(VersionResponse(clock.today() + 5));
        port = std::stoi(gone.url("").substr(17));
    }
    dialogs.clear();
    EXPECT_EQ(
        PublishedVersionDate(session, curl, "http://127.0.0.1:" + std::to_string(port) + "/v"),
        0.0);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(StartupTest, ActivationGuardRunsOncePerReturnToTheMainWindow) {
    ActivationGuard guard;
    EXPECT_TRUE(guard.activated());  // first display
    guard.begin();
    EXPECT_FALSE(guard.activated());  // a message of the sequence closed
    guard.end();
    EXPECT_FALSE(guard.activated());  // the hand-back after the last message
    guard.operationFinished();        // the user comes back from a window of the menu
    EXPECT_TRUE(guard.activated());
    EXPECT_FALSE(guard.activated());
}

TEST(ResolveProgramTest, WindowsNameOrTheLinuxOne) {
    TempWorkFolder tmp;
    const std::string w = tmp.folders().work;
    EXPECT_EQ(ResolveProgram(w, "COTTURA.EXE"), "");
    ReplaceFileAtomically(JoinPath(w, "COTTURA"), Bytes{'x'});
    EXPECT_EQ(ResolveProgram(w, "COTTURA.EXE"), JoinPath(w, "COTTURA"));
    ReplaceFileAtomically(JoinPath(w, "COTTURA.EXE"), Bytes{'x'});
    EXPECT_EQ(ResolveProgram(w, "COTTURA.EXE"), JoinPath(w, "COTTURA.EXE"));
}

}  // namespace
}  // namespace veltrano
