#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>
#include <sstream>

#include "admin/check.h"
#include "admin/commands.h"
#include "admin/demo.h"
#include "core/dates.h"
#include "core/table_record.h"
#include "registers/movement.h"
#include "shell/company_record.h"
#include "support/test_support.h"

namespace veltrano::admin {
namespace {

using L = MovementRecord::Layout;
using veltrano::testing::ReadBytes;
using veltrano::testing::ReadMovements;
using veltrano::testing::ScriptedPrompt;
using veltrano::testing::TempWorkFolder;
using veltrano::testing::WriteBytes;

// A padded movement as the program stores it.
MovementRecord mov(const std::string& tipmov, int number, int day, int month, int year) {
    MovementRecord r;
    MovementBlank(r);
    r.NUMMOV = number;
    r.TIPMOV = tipmov;
    r.DATMOV = EncodeDate(year, month, day);
    MovementPad(r);
    return r;
}

MovementRecord linked(MovementRecord r, int numrif) {
    r.NUMRIF = numrif;
    return r;
}

Bytes file(std::initializer_list<MovementRecord> recs) {
    Bytes out;
    for (const MovementRecord& r : recs) {
        const Bytes b = r.encode();
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

Bytes withByte(Bytes b, std::size_t at, std::uint8_t value) {
    b.at(at) = value;
    return b;
}

Bytes withDouble(Bytes b, std::size_t at, double value) {
    PutDouble(b, at, value);
    return b;
}

void makeOld(const std::string& path, int seconds) {
    const std::time_t t = std::time(nullptr) - seconds;
    const utimbuf times{t, t};
    ASSERT_EQ(::utime(path.c_str(), &times), 0) << path;
}

struct Expected {
    std::string file;
    std::optional<std::size_t> record;
    std::string fragment;  // part of the message
};

struct Case {
    const char* name;
    std::vector<std::pair<std::string, Bytes>> files;  // below the working folder
    std::function<void(const std::string& work)> extra;
    std::vector<Expected> expected;
};

std::vector<Case> cases() {
    const std::size_t rec1 = MovementRecord::kSize;  // start of record 1
    Bytes table;
    {
        TableRecord t;
        TableBlank(t);
        t.ID = 1;
        t.STR1[0] = "BIONDA";
        TablePad(t);
        table = t.encode();
    }
    Bytes company;
    {
        CompanyRecord c;
        CompanyBlank(c);
        c.DENOM1 = "BIRRIFICIO";
        CompanyPad(c);
        company = c.encode();
    }
    return {
        {"company record holds one record",
         {{"DATI_GEN/UTENTE.001",
           [&company] {
               Bytes b = company;
               b.insert(b.end(), company.begin(), company.end());
               return b;
           }()}},
         nullptr,
         {{"DATI_GEN/UTENTE.001", std::nullopt, "contiene 2 record"}}},
        {"clean year files and table",
         {
             {"REGISTRI/2024.CTT", file({mov("C", 1, 8, 1, 2024), mov("S", 2, 9, 1, 2024)})},
             {"REGISTRI/2024.MPR",
              file({mov("C", 1, 8, 1, 2024), linked(mov("S", 2, 8, 1, 2024), 1)})},
             {"DATI_GEN/PRAZ.TAB", table},
             {"DATI_GEN/UTENTE.001", company},
         },
         nullptr,
         {}},
        {"size not a multiple of the record",
         {
             {"REGISTRI/2024.CTT", Bytes(552 + 17, 0)},
             {"DATI_GEN/ACCISE.TAB", Bytes(5304 * 2 - 1, 0)},
             {"DATI_GEN/UTENTE.001", Bytes(5304, 0)},
         },
         nullptr,
         {
             {"DATI_GEN/ACCISE.TAB", std::nullopt, "10607 byte"},  // files in path order
             {"DATI_GEN/UTENTE.001", std::nullopt,
              "5304 byte, non un multiplo del record di "
              "dati della ditta (608 byte)"},
             {"REGISTRI/2024.CTT", std::nullopt, "569 byte, non un multiplo"},
         }},
        {"length byte beyond the width",
         {
             {"REGISTRI/2024.CND",
              withByte(file({mov("C", 1, 8, 1, 2024), mov("C", 2, 8, 1, 2024)}), rec1 + L::TBIRRA,
                       101)},
             {"DATI_GEN/PRAZ.TAB", withByte(table, TableRecord::OffsetSTR2(4), 251)},
             {"DATI_GEN/UTENTE.001", withByte(company, CompanyRecord::Layout::CODUTE, 5)},
             {"LOG/ACCOUNT.DAT", withByte(table, TableRecord::OffsetSTR1(0), 250)},  // fine
         },
         nullptr,
         {
             {"DATI_GEN/PRAZ.TAB", 0, "lunghezza di STR2[4] pari a 251"},
             {"DATI_GEN/UTENTE.001", 0, "lunghezza di CODUTE pari a 5"},
             {"REGISTRI/2024.CND", 1, "lunghezza di TBIRRA pari a 101"},
         }},
        {"implausible dates",
         {
             {"REGISTRI/2024.CTT",
              withDouble(withDouble(file({mov("C", 1, 8, 1, 2024), mov("C", 2, 9, 1, 2024)}),
                                    L::DATPRE, std::numeric_limits<double>::quiet_NaN()),
                         rec1 + L::DATPRE, EncodeDate(2101, 1, 1))},
             // In the conditioned register DATPRE and DATFLU are amounts.
             {"REGISTRI/2024.CND",
              withDouble(withDouble(file({mov("E", 1, 8, 1, 2024)}), L::DATPRE, -1e9), L::DATFLU,
                         std::numeric_limits<double>::infinity())},
             {"REGISTRI/2024.MPR",
              withDouble(file({mov("C", 1, 8, 1, 2024)}), L::DATPRE, EncodeDate(1899, 12, 31))},
         },
         nullptr,
         {
             {"REGISTRI/2024.CTT", 0, "DATPRE non è una data plausibile"},
             {"REGISTRI/2024.CTT", 1, "DATPRE non è una data plausibile"},
             {"REGISTRI/2024.MPR", 0, "DATPRE non è una data plausibile"},
         }},
        {"DATMOV outside the file's year",
         {
             {"REGISTRI/2024.CTT", file({mov("C", 1, 31, 12, 2023), mov("C", 2, 2, 1, 2024)})},
             {"REGISTRI/2024.PRV", file({mov("", 1, 1, 1, 2025)})},
             {"REGISTRI/2024.CND", withDouble(file({mov("C", 1, 3, 1, 2024)}), L::DATMOV, 0)},
             {"LOG/2024.TFR", file({mov("", 0, 5, 5, 2023), mov("", 0, 5, 5, 2024)})},
             // Tax records name the year they refer to, not the day they were made.
             {"REGISTRI/2024.DER", file({mov("", 1, 16, 1, 2025)})},
         },
         nullptr,
         {
             {"LOG/2024.TFR", 0, "05/05/2023 non è dell'anno 2024"},
             {"REGISTRI/2024.CND", 0, "DATMOV vuota"},
             {"REGISTRI/2024.CTT", 0, "31/12/2023 non è dell'anno 2024"},
             {"REGISTRI/2024.PRV", 0, "01/01/2025 non è dell'anno 2024"},
         }},
        {"DATMOV not a whole day",
         {
             {"REGISTRI/2024.CTT", withDouble(file({mov("C", 1, 8, 1, 2024)}), L::DATMOV,
                                              EncodeDate(2024, 1, 8) + 0.25)},
         },
         nullptr,
         {
             {"REGISTRI/2024.CTT", 0, "non è un giorno intero"},
         }},
        {"stock files",
         {
             {"REGISTRI/2024.GMP", file({mov("C", -100, 1, 1, 2024), mov("C", -100, 1, 1, 2024),
                                         mov("C", -100, 2, 1, 2024), mov("C", 3, 1, 1, 2024)})},
             {"REGISTRI/2024.GCN", withDouble(file({mov("C", -100, 1, 1, 2024)}), L::DATMOV, 0)},
         },
         nullptr,
         {
             {"REGISTRI/2024.GMP", 2, "atteso il 01/01/2024"},
             {"REGISTRI/2024.GMP", 3, "NUMMOV 3 in un file di giacenza iniziale"},
         }},
        {"repeated NUMMOV",
         {
             {"REGISTRI/2024.CND",
              file({mov("C", 4, 8, 1, 2024), mov("S", 5, 8, 1, 2024), mov("S", 4, 9, 1, 2024)})},
             {"REGISTRI/2024.DER", file({mov("", 1, 8, 1, 2024), mov("", 1, 8, 2, 2024)})},
             {"DATI_GEN/PRAZ.TAB",
              [&table] {
                  Bytes b = table;
                  b.insert(b.end(), table.begin(), table.end());
                  return b;
              }()},
             // Machine files are appended with no numbers.
             {"LOG/2024.SND", file({mov("", 0, 8, 1, 2024), mov("", 0, 9, 1, 2024)})},
         },
         nullptr,
         {
             {"DATI_GEN/PRAZ.TAB", 1, "ID 1 ripetuto (già nel record 0)"},
             {"REGISTRI/2024.CND", 2, "NUMMOV 4 ripetuto (già nel record 0)"},
             {"REGISTRI/2024.DER", 1, "NUMMOV 1 ripetuto"},
         }},
        {"records out of order",
         {
             {"REGISTRI/2024.MPR", file({mov("C", 1, 8, 1, 2024), mov("S", 2, 9, 1, 2024),
                                         mov("C", 3, 9, 1, 2024), mov("C", 4, 7, 1, 2024)})},
             {"REGISTRI/2024.CND", file({mov("S", 1, 8, 1, 2024), mov("R", 2, 8, 1, 2024),
                                         mov("C", 3, 9, 1, 2024), mov("E", 4, 9, 1, 2024)})},
             // Preventive communications follow their annual number, not the date.
             {"REGISTRI/2024.PRV",
              [] {
                  MovementRecord a = mov("", 1, 9, 1, 2024), b = mov("", 2, 8, 1, 2024),
                                 c = mov("", 3, 10, 1, 2024);
                  a.NUMCTT = 1;
                  b.NUMCTT = 2;
                  c.NUMCTT = 1;
                  return file({a, b, c});
              }()},
             // Same-day wort movements follow the meter, so no date rule beyond the day.
             {"REGISTRI/2024.CTT", file({mov("S", 2, 8, 1, 2024), mov("C", 1, 8, 1, 2024)})},
         },
         nullptr,
         {
             {"REGISTRI/2024.CND", 1, "un carico (R) dopo un movimento S"},
             {"REGISTRI/2024.MPR", 2, "un carico (C) dopo uno scarico (S)"},
             {"REGISTRI/2024.MPR", 3, "DATMOV 07/01/2024 dopo il 09/01/2024 del record 2"},
             {"REGISTRI/2024.PRV", 2, "NUMCTT 1 dopo 2"},
         }},
        {"raw-material unloads and their batches",
         {
             {"REGISTRI/2024.CTT", file({mov("C", 1, 8, 1, 2024), mov("S", 2, 8, 1, 2024)})},
             {"REGISTRI/2024.MPR",
              file({linked(mov("S", 1, 8, 1, 2024), 1), linked(mov("S", 2, 8, 1, 2024), 2),
                    linked(mov("S", 3, 8, 1, 2024), 9), mov("S", 4, 8, 1, 2024)})},
             // No wort file for 2023: every batch unload is dangling.
             {"REGISTRI/2023.MPR", file({linked(mov("S", 1, 8, 1, 2023), 1)})},
         },
         nullptr,
         {
             {"REGISTRI/2023.MPR", 0, "NUMRIF 1 che non esiste in 2023.CTT"},
             {"REGISTRI/2024.MPR", 1, "che non è una cotta (tipo S)"},
             {"REGISTRI/2024.MPR", 2, "NUMRIF 9 che non esiste in 2024.CTT"},
         }},
        {"transfers and tax-record links",
         {
             {"REGISTRI/2024.CND",
              file({mov("C", 2, 8, 1, 2024), mov("I", 1, 8, 1, 2024),
                    linked(mov("K", 3, 8, 1, 2024), 1), linked(mov("Z", 4, 8, 1, 2024), 2),
                    linked(mov("K", 5, 8, 1, 2024), 7), mov("Z", 6, 8, 1, 2024)})},
             {"REGISTRI/2024.DER", file({mov("", 1, 8, 1, 2024), linked(mov("", 2, 8, 2, 2024), 1),
                                         linked(mov("", 3, 8, 3, 2024), 5)})},
         },
         nullptr,
         {
             {"REGISTRI/2024.CND", 3, "movimento Z collegato con NUMRIF 2"},
             {"REGISTRI/2024.CND", 4, "movimento K collegato con NUMRIF 7"},
             {"REGISTRI/2024.DER", 2, "NUMRIF 5 a un record che non esiste"},
         }},
        {"stale lock markers and temporary files",
         {
             {"REGISTRI/2024.CTT", {}},
         },
         [](const std::string& work) {
             const auto touch = [&](const std::string& rel, int age) {
                 WriteBytes(work + "/" + rel, {});
                 makeOld(work + "/" + rel, age);
             };
             touch("REGISTRI/2024.CTT$", 61);
             touch("DATI_GEN/PRAZ.TAB$", 5);  // a write in progress
             touch("REGISTRI/.~2024.MPR.host.1.2.3", 3600);
             touch("LOG/.~ACCOUNT.DAT.host.1.2.4", 1);
         },
         {
             {"REGISTRI/.~2024.MPR.host.1.2.3", std::nullopt, "file temporaneo rimasto"},
             {"REGISTRI/2024.CTT$", std::nullopt, "marker di blocco abbandonato"},
         }},
        {"a pipe is not read",
         {},
         [](const std::string& work) {
             ASSERT_EQ(::mkfifo((work + "/REGISTRI/2024.CND").c_str(), 0644), 0);
         },
         {}},
        {"files that are not record files are left alone",
         {
             {"DATI_GEN/PROT.CTT", Bytes(7, 1)},
             {"DATI_GEN/STAMPANTE.TXT", Bytes(3, 1)},
             {"DATI_GEN/VERS_VELTRANO.DAT", Bytes(8, 1)},
             {"LOG/2024/FERM.CSV", Bytes(5, 1)},
             {"LOG/2024/2024.TCH", Bytes(5, 1)},  // below LOG too
             {"XFIRMA/2024.CTT", Bytes(5, 1)},    // outside the three folders
         },
         nullptr,
         {
             {"LOG/2024/2024.TCH", std::nullopt, "non un multiplo"},
         }},
    };
}

TEST(AdminCheck, EachProblemIsFoundWhereItIs) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        TempWorkFolder w;
        const std::string work = w.folders().work;
        for (const auto& [rel, bytes] : c.files) {
            std::filesystem::create_directories(
                std::filesystem::path(work + "/" + rel).parent_path());
            WriteBytes(work + "/" + rel, bytes);
        }
        if (c.extra) c.extra(work);
        const auto problems = CheckFolder(work);
        std::string all;
        for (const Problem& p : problems)
            all += FormatProblem(p) + "\n";
        ASSERT_EQ(problems.size(), c.expected.size()) << all;
        for (std::size_t i = 0; i < problems.size(); ++i) {
            EXPECT_EQ(problems[i].file, c.expected[i].file) << all;
            EXPECT_EQ(problems[i].record, c.expected[i].record) << all;
            EXPECT_NE(problems[i].what.find(c.expected[i].fragment), std::string::npos)
                << "wanted \"" << c.expected[i].fragment << "\" in " << all;
        }
        std::ostringstream out, err;
        EXPECT_EQ(CommandCheck(work, out, err), problems.empty() ? kExitOk : kExitProblems);
        EXPECT_EQ(out.str(), all);
    }
}

TEST(AdminCheck, ProblemLines) {
    EXPECT_EQ(FormatProblem({"REGISTRI/2024.CTT", 3, "guasto"}),
              "REGISTRI/2024.CTT, record 3: guasto");
    EXPECT_EQ(FormatProblem({"REGISTRI/2024.CTT$", std::nullopt, "vecchio"}),
              "REGISTRI/2024.CTT$: vecchio");
}

TEST(AdminCheck, FolderThatCannotBeCheckedIsAUsageError) {
    TempWorkFolder w;
    const std::string plainFile = w.path("work/REGISTRI/2024.CTT");
    WriteBytes(plainFile, {});
    std::filesystem::create_directories(w.path("empty"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {w.path("missing"), "non esiste"},
        {plainFile, "non è una cartella"},
        {w.path("empty"), "non è una cartella di lavoro"},
    };
    for (const auto& [folder, message] : cases) {
        SCOPED_TRACE(folder);
        std::ostringstream out, err;
        EXPECT_EQ(CommandCheck(folder, out, err), kExitUsage);
        EXPECT_EQ(out.str(), "");
        EXPECT_NE(err.str().find(message), std::string::npos) << err.str();
    }
}

TEST(AdminCheck, UnreadableFileIsAProblemNotACrash) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    TempWorkFolder w;
    const std::string path = w.path("work/REGISTRI/2024.CTT");
    WriteBytes(path, file({mov("C", 1, 8, 1, 2024)}));
    ::chmod(path.c_str(), 0);
    const auto problems = CheckFolder(w.folders().work);
    ::chmod(path.c_str(), 0644);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].what.find("impossibile leggere"), std::string::npos);
}

TEST(AdminDemo, BuildsACleanLinkedFolderOnceOnly) {
    TempWorkFolder w;
    ScriptedPrompt prompt;
    const Folders folders = Folders::At(w.path("demo"), w.folders().temp);
    ASSERT_TRUE(CreateDemo(folders, 2024, prompt));
    for (const std::string* f : {&folders.datiGen, &folders.registri, &folders.log, &folders.xfirma,
                                 &folders.preventive, &folders.bilanci}) {
        EXPECT_TRUE(std::filesystem::is_directory(*f)) << *f;
    }
    EXPECT_TRUE(prompt.messages.empty());

    const auto wort = ReadMovements(folders.registri + "/2024.CTT");
    const auto raw = ReadMovements(folders.registri + "/2024.MPR");
    const auto cond = ReadMovements(folders.registri + "/2024.CND");
    int batches = 0, sanitisations = 0;
    for (const auto& r : wort) {
        if (r.TIPMOV == "C") {
            ++batches;
            EXPECT_FALSE(r.LMOSTO.empty());
            EXPECT_GT(r.GRAREA, 0);
            EXPECT_GT(r.FINALE, r.INIZIO);
            int unloads = 0;
            for (const auto& m : raw) {
                if (m.NUMRIF != r.NUMMOV) continue;
                ++unloads;
                EXPECT_EQ(m.TIPMOV, "S");
                EXPECT_EQ(m.LMOSTO, "VIA");
                EXPECT_EQ(m.DATMOV, r.DATMOV);
                EXPECT_EQ(m.ANNOTA, "COTTA N. " + r.NUMDOC + " " + r.TBIRRA);
            }
            EXPECT_GT(unloads, 0) << "batch " << r.NUMDOC;
        }
        if (r.TIPMOV == "S") ++sanitisations;
    }
    EXPECT_GE(batches, 2);
    EXPECT_GE(sanitisations, 1);
    int handLoads = 0;
    for (const auto& m : raw)
        handLoads += m.TIPMOV == "C" && m.NUMRIF == 0 ? 1 : 0;
    EXPECT_GE(handLoads, 2);
    bool conditioning = false, sale = false;
    for (const auto& m : cond) {
        conditioning |= m.TIPMOV == "C";
        sale |= m.TIPMOV == "S";
    }
    EXPECT_TRUE(conditioning && sale);

    // What the program writes passes the check.
    const auto problems = CheckFolder(folders.work);
    for (const Problem& p : problems)
        ADD_FAILURE() << FormatProblem(p);

    // A second run leaves every byte alone.
    const Bytes before = ReadBytes(folders.registri + "/2024.MPR");
    EXPECT_FALSE(CreateDemo(folders, 2024, prompt));
    EXPECT_FALSE(CreateDemo(folders, 2025, prompt));
    EXPECT_EQ(ReadBytes(folders.registri + "/2024.MPR"), before);
    EXPECT_FALSE(std::filesystem::exists(folders.registri + "/2025.CTT"));
}

}  // namespace
}  // namespace veltrano::admin
