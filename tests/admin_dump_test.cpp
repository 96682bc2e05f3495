#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "admin/commands.h"
#include "admin/dump.h"
#include "core/dates.h"
#include "core/table_record.h"
#include "registers/movement.h"
#include "shell/company_record.h"
#include "support/test_support.h"

namespace veltrano::admin {
namespace {

using veltrano::testing::TempWorkFolder;
using veltrano::testing::WriteBytes;

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

MovementRecord batch() {
    MovementRecord r;
    MovementBlank(r);
    r.NUMMOV = 1;
    r.TIPMOV = "C";
    r.DATMOV = EncodeDate(2024, 1, 8);
    r.DATPRE = EncodeDate(2024, 1, 7);
    r.NUMDOC = "1";
    r.TBIRRA = "BIONDA \"DEL PORTO\", CHIARA";
    r.LITPRE = 1000;
    r.GRAPRE = 12;
    r.RESPRE = 85.125;
    r.INIZIO = 1200;
    r.FINALE = 2200;
    r.LITRII = 1000;
    r.GRAREA = 12.5;
    r.LMOSTO = "L24001";
    r.ANNOTA = "PIÙ LUPPOLO";
    r.KIWATT = -0.75;
    MovementPad(r);
    return r;
}

MovementRecord sanitisation() {
    MovementRecord r;
    MovementBlank(r);
    r.NUMMOV = 2;
    r.TIPMOV = "S";
    r.DATMOV = EncodeDate(2024, 2, 29);
    r.INIZIO = 2200;
    r.FINALE = 2500;
    r.LITRII = 300;
    r.ANNOTA = "RIGA 1\nRIGA 2";
    MovementPad(r);
    return r;
}

const char* const kMovementHeader =
    "NUMMOV,NUMRIF,NUMAUX,DATFLU,NUMFLU,TIPRET,TIPOPE,TIPREC,CODPAE,DATMOV,NUMCTT,TIPMOV,NUMDOC,"
    "TBIRRA,DATPRE,LITPRE,GRAPRE,RESPRE,INIZIO,FINALE,LITRII,GRAREA,LMOSTO,ANNOTA,KIWATT,MECUBI,"
    "KILOGR,ELITRI\n";

std::string dump(const std::string& path, DumpFormat format) {
    std::ostringstream out;
    DumpFile(path, format, out);
    return out.str();
}

TEST(AdminDump, WortFileAsCsv) {
    TempWorkFolder w;
    const std::string path = w.path("work/REGISTRI/2024.CTT");
    WriteBytes(path, concat({batch().encode(), sanitisation().encode()}));
    const std::string expected =
        std::string(kMovementHeader) +
        "1,0,0,,0,,,,,08/01/2024,0,C,1,\"BIONDA \"\"DEL PORTO\"\", CHIARA\",07/01/2024,1000,12,"
        "85.125,1200,2200,1000,12.5,L24001,PIÙ LUPPOLO,-0.75,0,0,0\n"
        "2,0,0,,0,,,,,29/02/2024,0,S,,,,0,0,0,2200,2500,300,0,,\"RIGA 1\nRIGA 2\",0,0,0,0\n";
    EXPECT_EQ(dump(path, DumpFormat::Csv), expected);
}

TEST(AdminDump, ConditionedFileShowsAmountsWhereOtherFilesHaveDates) {
    TempWorkFolder w;
    MovementRecord r = batch();
    r.TIPMOV = "E";
    r.DATPRE = 12.5;   // guarantee
    r.DATFLU = 125.4;  // transfer duty
    WriteBytes(w.path("work/REGISTRI/2024.CND"), r.encode());
    WriteBytes(w.path("work/REGISTRI/2024.MPR"), r.encode());
    const auto fields = [](const std::string& csv) {
        std::vector<std::string> out;
        std::string line = csv.substr(csv.find('\n') + 1);
        std::string cur;
        bool quoted = false;
        for (const char c : line) {
            if (c == '"') quoted = !quoted;
            if (c == ',' && !quoted) {
                out.push_back(cur);
                cur.clear();
            } else {
                cur += c;
            }
        }
        out.push_back(cur);
        return out;
    };
    const auto cnd = fields(dump(w.path("work/REGISTRI/2024.CND"), DumpFormat::Csv));
    const auto mpr = fields(dump(w.path("work/REGISTRI/2024.MPR"), DumpFormat::Csv));
    ASSERT_EQ(cnd.size(), 28u);
    ASSERT_EQ(mpr.size(), 28u);
    EXPECT_EQ(cnd[3], "125.4");  // DATFLU
    EXPECT_EQ(cnd[14], "12.5");  // DATPRE
    // The same numbers read as dates in the raw-materials register.
    EXPECT_EQ(mpr[3], "04/05/1900 09:36:00");
    EXPECT_EQ(mpr[14], "11/01/1900 12:00:00");
}

TEST(AdminDump, JsonLines) {
    TempWorkFolder w;
    const std::string path = w.path("work/REGISTRI/2024.CTT");
    MovementRecord r = sanitisation();
    r.DATPRE = std::numeric_limits<double>::quiet_NaN();
    r.KIWATT = std::numeric_limits<double>::infinity();
    WriteBytes(path, r.encode());
    EXPECT_EQ(
        dump(path, DumpFormat::JsonLines),
        "{\"NUMMOV\":2,\"NUMRIF\":0,\"NUMAUX\":0,\"DATFLU\":\"\",\"NUMFLU\":0,\"TIPRET\":\"\","
        "\"TIPOPE\":\"\",\"TIPREC\":\"\",\"CODPAE\":\"\",\"DATMOV\":\"29/02/2024\","
        "\"NUMCTT\":0,\"TIPMOV\":\"S\",\"NUMDOC\":\"\",\"TBIRRA\":\"\",\"DATPRE\":\"nan\","
        "\"LITPRE\":0,\"GRAPRE\":0,\"RESPRE\":0,\"INIZIO\":2200,\"FINALE\":2500,"
        "\"LITRII\":300,\"GRAREA\":0,\"LMOSTO\":\"\",\"ANNOTA\":\"RIGA 1\\nRIGA 2\","
        "\"KIWATT\":\"inf\",\"MECUBI\":0,\"KILOGR\":0,\"ELITRI\":0}\n");
}

TEST(AdminDump, TableFileWithSlotNames) {
    TempWorkFolder w;
    TableRecord t;
    TableBlank(t);
    t.ID = 7;
    t.STR1[0] = "MALTO PILS";
    t.STR2[9] = "ultimo";
    t.INTERI[3] = -4;
    t.REALI1[0] = 2.99;
    t.REALI3[9] = 0.001;
    TablePad(t);
    const std::string path = w.path("work/DATI_GEN/MATPRIME.TAB");
    WriteBytes(path, t.encode());
    const std::string out = dump(path, DumpFormat::Csv);
    std::string header = "ID";
    std::string row = "7";
    for (const char* group : {"STR1", "STR2", "INTERI", "REALI1", "REALI2", "REALI3"}) {
        for (int k = 0; k < 10; ++k)
            header += std::string(",") + group + "[" + std::to_string(k) + "]";
    }
    for (int k = 0; k < 10; ++k)
        row += k == 0 ? ",MALTO PILS" : ",";
    for (int k = 0; k < 10; ++k)
        row += k == 9 ? ",ultimo" : ",";
    for (int k = 0; k < 10; ++k)
        row += k == 3 ? ",-4" : ",0";
    for (int k = 0; k < 10; ++k)
        row += k == 0 ? ",2.99" : ",0";
    for (int k = 0; k < 10; ++k)
        row += ",0";
    for (int k = 0; k < 10; ++k)
        row += k == 9 ? ",0.001" : ",0";
    EXPECT_EQ(out, header + "\n" + row + "\n");
}

TEST(AdminDump, CompanyRecord) {
    TempWorkFolder w;
    CompanyRecord c;
    CompanyBlank(c);
    c.CACCI1 = "IT00ABA00001X";
    c.DENOM1 = "BIRRIFICIO ESEMPIO S.R.L.";
    c.TIPOIN = "S";
    CompanyPad(c);
    const std::string path = w.path("work/DATI_GEN/UTENTE.001");
    WriteBytes(path, c.encode());
    EXPECT_EQ(dump(path, DumpFormat::Csv),
              "leading,CACCI1,reserved23,DENOM1,DENOM2,PARIVA,CODFIS,INDIR1,INDIR2,"
              "addressComplement,reserved417,C_A_P1,C_A_P2,CITTA1,CITTA2,CODUTE,UFFDO1,"
              "reserved567,officeTail,DENOM2tail,CAUESO,TIPOIN\n"
              "0,IT00ABA00001X,,BIRRIFICIO ESEMPIO S.R.L.,,,,,,,,,,,,,,,,,,S\n");
}

TEST(AdminDump, EmptyFileGivesTheHeaderOnly) {
    TempWorkFolder w;
    const std::string path = w.path("work/REGISTRI/2025.DER");
    WriteBytes(path, {});
    EXPECT_EQ(dump(path, DumpFormat::Csv), kMovementHeader);
    EXPECT_EQ(dump(path, DumpFormat::JsonLines), "");
}

TEST(AdminDump, DamagedLengthByteIsClampedToTheField) {
    TempWorkFolder w;
    Bytes b = sanitisation().encode();
    b[MovementRecord::Layout::TIPMOV] = 200;  // past the string[1]
    const std::string path = w.path("work/REGISTRI/2024.CTT");
    WriteBytes(path, b);
    const std::string out = dump(path, DumpFormat::Csv);
    EXPECT_NE(out.find(",0,S,"), std::string::npos) << out;
}

struct BadInput {
    const char* name;
    std::string relative;  // below the temporary root; empty: the root itself
    std::size_t size;      // bytes to write; SIZE_MAX: do not create
    const char* message;
};

TEST(AdminDump, BadInputGivesAClearMessageAndNonZeroExit) {
    const std::size_t none = std::numeric_limits<std::size_t>::max();
    const std::size_t fifo = none - 1;
    const std::vector<BadInput> cases = {
        {"truncated year file", "work/REGISTRI/2024.CTT", 552 + 100, "troncato o danneggiato"},
        {"truncated table", "work/DATI_GEN/TA03.TAB", 5303, "troncato o danneggiato"},
        {"movement file with table size", "work/REGISTRI/2024.CND", 5304, "troncato"},
        {"missing file", "work/REGISTRI/2030.CTT", none, "non esiste"},
        {"a folder", "work/REGISTRI", none, "è una cartella"},
        {"a pipe, which would never end", "work/REGISTRI/2024.MPR", fifo, "non è un file regolare"},
        {"print settings, not records", "work/DATI_GEN/PROT.CTT", 100, "non è un file di record"},
        {"text file", "work/DATI_GEN/STAMPANTE.TXT", 10, "non è un file di record"},
        {"year-like name, unknown extension", "work/REGISTRI/2024.XYZ", 552,
         "non è un file di record"},
    };
    for (const BadInput& c : cases) {
        SCOPED_TRACE(c.name);
        TempWorkFolder w;
        const std::string path = w.path(c.relative);
        if (c.size == fifo) {
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        } else if (c.size != none) {
            WriteBytes(path, Bytes(c.size, 0x41));
        }
        EXPECT_THROW(
            {
                try {
                    dump(path, DumpFormat::Csv);
                } catch (const AdminError& e) {
                    EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
                    throw;
                }
            },
            AdminError);
        std::ostringstream out, err;
        EXPECT_EQ(CommandDump(path, DumpFormat::JsonLines, out, err), kExitProblems);
        EXPECT_EQ(out.str(), "");
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
}

TEST(AdminDump, CsvQuoting) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"plain text", "plain text"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
    };
    for (const auto& [in, want] : cases)
        EXPECT_EQ(CsvQuote(in), want) << in;
}

}  // namespace
}  // namespace veltrano::admin
