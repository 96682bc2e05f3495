// The installation data and `init`: structure files, demo tables, nothing
// existing overwritten.
#include <gtest/gtest.h>

#include <sstream>

#include "admin/commands.h"
#include "admin/init.h"
#include "core/dates.h"
#include "core/file_io.h"
#include "core/table_record.h"
#include "tables/beer_types_form.h"
#include "tables/excise_rates.h"
#include "tables/installation.h"
#include "tables/list_file.h"
#include "tables_support.h"

namespace veltrano {
namespace {

using testing::ScriptedDialogs;
using testing::TempWorkFolder;

TEST(Installation, ShippedStructuresFitTheTablesTheyDescribe) {
    const auto structures = ParseStructureSource(ShippedStructureSource());
    std::map<std::string, TableStructure> byName;
    for (const auto& s : structures)
        byName[s.name] = s;
    for (const char* name : {"TA03", "TA05C", "MATPRIME", "PRAZ", "ACCISE"}) {
        ASSERT_TRUE(byName.count(name)) << name;
        const TableStructure& s = byName[name];
        EXPECT_EQ(s.searchFields, 1) << name;
        EXPECT_FALSE(s.title.empty()) << name;
        EXPECT_GT(s.sizes[0], 0) << name;
    }
    EXPECT_EQ(byName["TA03"].sizes[0], 8);  // the company's UFFDO1 holds 8 characters
    EXPECT_EQ(byName["MATPRIME"].sizes[0], 40);
    EXPECT_EQ(byName["PRAZ"].sizes[0], 100);
    EXPECT_EQ(byName["PRAZ"].columns, "TIPO DI BIRRA;GRADO PLATO;RESA %");
}

TEST(Installation, MalformedSourcesNameTheLine) {
    EXPECT_THROW(ParseStructureSource("title = x\n"), std::runtime_error);
    try {
        ParseStructureSource("[A]\ntitle = x\nfield 12 = 3;x\n");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "riga 3: campo non valido");
    }
}

TEST(Installation, InstallsOnlyWhatIsMissing) {
    TempWorkFolder tmp;
    const Folders& f = tmp.folders();
    MakeFolders(f.datiGen);
    TableStructure mine;
    mine.name = "TA03";
    mine.title = "I MIEI UFFICI";
    RecordFile file = RecordFile::Empty(JoinPath(f.datiGen, "TA03.STR"), TableRecord::kSize);
    file.append(mine.toRecord().encode());
    file.commit(true);

    const InstallReport r = InstallStructures(f, ShippedStructureSource());
    EXPECT_EQ(r.kept, (std::vector<std::string>{"TA03.STR"}));
    EXPECT_EQ(r.written.size(), 4u);
    EXPECT_EQ(ReadTableStructure(f, "TA03")->title, "I MIEI UFFICI");
    EXPECT_EQ(ReadTableStructure(f, "ACCISE")->title, "ACCISA RIDOTTA PER ETTOGRADO PLATO");
    for (const std::string* folder : {&f.registri, &f.log, &f.xfirma, &f.preventive, &f.bilanci}) {
        EXPECT_TRUE(FileExists(*folder)) << *folder;
    }
    // Again: everything is there.
    EXPECT_TRUE(InstallStructures(f, ShippedStructureSource()).written.empty());
}

TEST(Installation, DemoTablesWithRecipesAndExampleRates) {
    TempWorkFolder tmp;
    const Folders& f = tmp.folders();
    InstallStructures(f, ShippedStructureSource());
    ScriptedDialogs quiet;
    const InstallReport r = InstallDemoTables(f, DemoTableSource(), quiet);
    EXPECT_TRUE(r.kept.empty());

    const ListData offices = BuildTableList(f, "TA03");
    ASSERT_GE(offices.rows.size(), 3u);
    EXPECT_EQ(offices.rows[0].cells[0], "PD01");
    const ListData beers = BuildTableList(f, "PRAZ");
    ASSERT_EQ(beers.rows.size(), 3u);
    EXPECT_EQ(beers.rows[1].cells, (std::vector<std::string>{"BIONDA", "12", "85"}));
    const auto recipe = ReadRecipe(f, beers.rows[1].id);
    EXPECT_EQ(recipe.size(), BuildTableList(f, "MATPRIME").rows.size());
    double pils = 0;
    for (const auto& m : recipe) {
        if (TrimText(m.STR1[0]) == "MALTO PILS") pils = m.REALI1[0];
    }
    EXPECT_DOUBLE_EQ(pils, 180);

    TableRecord rec;
    TableBlank(rec);
    rec.REALI1[0] = EncodeDate(2023, 3, 1);
    TableRecord working;
    ASSERT_TRUE(FindExciseRate(f, rec, kRateInForce, working));
    EXPECT_DOUBLE_EQ(working.REALI1[1], 2.9);

    // A second run keeps every table.
    const InstallReport again = InstallDemoTables(f, DemoTableSource(), quiet);
    EXPECT_TRUE(again.written.empty());
    EXPECT_EQ(again.kept.size(), 5u);
}

TEST(Installation, InitCommandReportsWhatItDid) {
    TempWorkFolder tmp;
    std::ostringstream out, err;
    EXPECT_EQ(admin::CommandInit(tmp.folders().work, true, out, err), admin::kExitOk);
    EXPECT_NE(out.str().find("installato   DATI_GEN/TA03.STR"), std::string::npos);
    EXPECT_NE(out.str().find("ESEMPI"), std::string::npos);
    std::ostringstream again;
    EXPECT_EQ(admin::CommandInit(tmp.folders().work, false, again, err), admin::kExitOk);
    EXPECT_NE(again.str().find("già presente DATI_GEN/PRAZ.STR (non modificato)"),
              std::string::npos);
    EXPECT_EQ(again.str().find("installato"), std::string::npos);
    // A working folder that cannot be made.
    std::ostringstream none, why;
    EXPECT_EQ(admin::CommandInit("/proc/no-such/folder", false, none, why), admin::kExitProblems);
    EXPECT_FALSE(why.str().empty());
}

}  // namespace
}  // namespace veltrano
