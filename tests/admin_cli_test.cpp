// Runs the real veltrano-admin binary and checks its exit statuses and messages.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/test_support.h"

namespace {

using veltrano::Bytes;
using veltrano::testing::TempWorkFolder;
using veltrano::testing::WriteBytes;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

Outcome run(const TempWorkFolder& w, const std::string& args) {
    const std::string out = w.path("out.txt");
    const std::string err = w.path("err.txt");
    const std::string cmd =
        std::string("'") + VELTRANO_ADMIN_BINARY + "' " + args + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(cmd.c_str());
    EXPECT_TRUE(WIFEXITED(raw)) << cmd;  // a crash is a signal, not an exit
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
}

TEST(AdminCli, ExitStatusesOfTheRealBinary) {
    TempWorkFolder w;
    const std::string work = w.folders().work;
    WriteBytes(work + "/REGISTRI/2024.CTT", Bytes(552 * 2 + 3, 0x20));

    struct Case {
        std::string args;
        int status;
        const char* err;  // part of the message on stderr
    };
    const std::vector<Case> cases = {
        {"dump '" + work + "/REGISTRI/2024.CTT'", 1, "troncato o danneggiato"},
        {"dump '" + work + "/REGISTRI/2024.CTT' --json", 1, "troncato o danneggiato"},
        {"dump '" + work + "/REGISTRI'", 1, "è una cartella"},
        {"dump '" + work + "/REGISTRI/1999.CTT'", 1, "non esiste"},
        {"check '" + w.path("missing") + "'", 2, "non esiste"},
        {"check '" + work + "'", 1, "1 problema trovato"},
        {"", 2, "uso:"},
        {"dump", 2, "manca il nome del file"},
        {"frobnicate", 2, "comando sconosciuto"},
        {"check a b", 2, "una sola cartella"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const Outcome r = run(w, c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    const Outcome check = run(w, "check '" + work + "'");
    EXPECT_EQ(check.out,
              "REGISTRI/2024.CTT: dimensione di 1107 byte, non un multiplo del record di "
              "registro dei movimenti (552 byte): file troncato o danneggiato\n");
}

TEST(AdminCli, DemoThenCheckAndDump) {
    TempWorkFolder w;
    const std::string demo = w.path("demo");
    // The tool's temporary folder goes inside the test's folder.
    ASSERT_EQ(setenv("XDG_STATE_HOME", w.path("state").c_str(), 1), 0);
    Outcome r = run(w, "demo '" + demo + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("creata"), std::string::npos);
    r = run(w, "demo '" + demo + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("nessuna modifica"), std::string::npos);
    r = run(w, "check '" + demo + "'");
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "");
    int dumped = 0;
    for (const auto& e : std::filesystem::directory_iterator(demo + "/REGISTRI")) {
        r = run(w, "dump '" + e.path().string() + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.rfind("NUMMOV,NUMRIF,", 0), 0u) << r.out;
        EXPECT_GT(std::count(r.out.begin(), r.out.end(), '\n'), 2);
        ++dumped;
    }
    EXPECT_EQ(dumped, 3);  // CTT, MPR, CND
}

}  // namespace
