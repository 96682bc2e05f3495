#include <gtest/gtest.h>

#include "core/dates.h"
#include "core/io_error.h"
#include "registers/stock.h"
#include "registers/year_files.h"
#include "support/test_support.h"

namespace veltrano {
namespace {

using testing::Movement;
using testing::ReadBytes;
using testing::ReadMovements;
using testing::ScriptedPrompt;
using testing::TempWorkFolder;
using testing::WriteBytes;

class StockTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedPrompt prompt;

    void add(int year, const std::string& ext, MovementRecord r) {
        MovementInsertOrdered(YearFilePath(work.folders(), year, ext), r, prompt);
    }
    MovementRecord material(const std::string& kind, int year, const std::string& name, double q) {
        MovementRecord r = Movement(kind, 10, 5, year);
        r.TBIRRA = name;
        r.LITRII = q;
        return r;
    }
    MovementRecord batch(int year, const std::string& lot, double litres, double plato) {
        MovementRecord r = Movement("C", 3, 2, year);
        r.LMOSTO = lot;
        r.TBIRRA = "BIONDA";
        r.LITRII = litres;
        r.GRAREA = plato;
        r.NUMDOC = "7";
        return r;
    }
    MovementRecord packaged(const std::string& kind, int year, const std::string& lot, int type,
                            double unit, int containers, double plato = 12) {
        MovementRecord r = Movement(kind, 4, 2, year);
        r.LMOSTO = lot;
        r.TBIRRA = "BIONDA";
        r.INIZIO = type;
        r.LITPRE = unit;
        r.FINALE = containers;
        r.RESPRE = unit * containers;
        r.GRAREA = plato;
        r.LITRII = r.RESPRE * plato / 100;
        return r;
    }
    std::vector<std::string> sectionLines(const OpeningStock& s) const {
        std::vector<std::string> out;
        for (const auto& l : s.lines) {
            if (l != " " && l != std::string(85, '=')) out.push_back(l);
        }
        return out;
    }
};

TEST_F(StockTest, YearCheck) {
    EXPECT_EQ(OpeningStockYearRefusal(2027, 2026),
              std::optional<std::string>(kStockYearNotAllowed));
    EXPECT_EQ(OpeningStockYearRefusal(2028, 2026),
              std::optional<std::string>(kStockYearNotAllowed));
    EXPECT_EQ(OpeningStockYearRefusal(2026, 2026), std::nullopt);
    EXPECT_EQ(OpeningStockYearRefusal(2019, 2026), std::nullopt);
    EXPECT_EQ(OpeningStockYearRefusal(2018, 2026), std::optional<std::string>(""))
        << "refused without a message";
}

TEST_F(StockTest, FirstYearGivesEmptyFilesAndOnlyTheHeadings) {
    const OpeningStock s = ComputeOpeningStock(work.folders(), 2019, "S");
    WriteOpeningStock(work.folders(), s);
    for (const char* ext : {"GMP", "GMS", "GCN"}) {
        const std::string p = YearFilePath(work.folders(), 2019, ext);
        ASSERT_TRUE(FileExists(p)) << ext;
        EXPECT_TRUE(ReadBytes(p).empty()) << ext;
    }
    EXPECT_EQ(sectionLines(s),
              (std::vector<std::string>{"GIACENZE MATERIE PRIME:", "GIACENZE MOSTO:",
                                        "GIACENZE PRODOTTI CONDIZIONATI:"}));
    EXPECT_EQ(s.lines.size(), 9u);
}

TEST_F(StockTest, RawMaterialsCarryLoadsMinusUnloads) {
    add(2022, "MPR", material("C", 2022, "MALTO PILS", 100));
    add(2023, "MPR", material("S", 2023, "MALTO PILS", 40));
    add(2023, "MPR", material("C", 2023, "LUPPOLO", 5.000004));
    add(2023, "MPR", material("S", 2023, "LUPPOLO", 5));  // 0.000004 left: below the threshold

    const OpeningStock y2023 = ComputeOpeningStock(work.folders(), 2023, "S");
    ASSERT_EQ(y2023.rawMaterials.size(), 1u);
    EXPECT_EQ(y2023.rawMaterials[0].LITRII, 100);

    const OpeningStock y2024 = ComputeOpeningStock(work.folders(), 2024, "S");
    ASSERT_EQ(y2024.rawMaterials.size(), 1u);
    const MovementRecord& r = y2024.rawMaterials[0];
    EXPECT_EQ(r.LITRII, 60);
    EXPECT_EQ(r.NUMMOV, -100);
    EXPECT_EQ(TrimText(r.TIPMOV), "C");
    EXPECT_EQ(r.DATMOV, EncodeDate(2024, 1, 1));
    EXPECT_EQ(y2024.lines[1], "MALTO PILS giacenza: 60");

    WriteOpeningStock(work.folders(), y2024);
    const auto stored = ReadMovements(YearFilePath(work.folders(), 2024, "GMP"));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].TBIRRA, "MALTO PILS");
    EXPECT_TRUE(FileExists(YearFilePath(work.folders(), 2019, "MPR")))
        << "missing raw-materials years are created empty";
}

TEST_F(StockTest, WortLotLeftAfterConditioning) {
    add(2023, "CTT", batch(2023, "L1", 1000, 12));
    add(2023, "CTT", batch(2023, "L2", 500, 14));               // fully conditioned
    add(2023, "CTT", batch(2023, "L3", 300, 10));               // closed by final waste
    add(2023, "CND", packaged("C", 2023, "L1", 0, 0.5, 1200));  // 600 litres, 72 Hlg
    add(2023, "CND", packaged("C", 2023, "L2", 2, 20, 25));
    MovementRecord waste = Movement("Z", 20, 2, 2023);
    waste.LMOSTO = "L3";
    waste.ELITRI = 300;
    waste.LITRII = 30;
    add(2023, "CND", waste);

    const OpeningStock s = ComputeOpeningStock(work.folders(), 2024, "S");
    ASSERT_EQ(s.wort.size(), 1u);
    const MovementRecord& lot = s.wort[0];
    EXPECT_EQ(TrimText(lot.LMOSTO), "L1");
    EXPECT_EQ(lot.LITRII, 1000);
    EXPECT_EQ(lot.MECUBI, 120);
    EXPECT_EQ(lot.GRAREA, 12);
    EXPECT_EQ(lot.KIWATT, 0);
    EXPECT_EQ(lot.KILOGR, 0);
    EXPECT_EQ(lot.NUMMOV, -100);
    const auto lines = sectionLines(s);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "BIONDA Lotto: L1 Giacenza in Litri: 400 °Pl. medio 12 ettogradi: 48"),
              lines.end());
}

TEST_F(StockTest, WortOfOneLotOverSeveralBatchesAndYears) {
    add(2022, "CTT", batch(2022, "L9", 1000, 12));               // 120 Hlg
    add(2023, "CTT", batch(2023, "L9", 500, 15));                // 75 Hlg
    add(2023, "CND", packaged("C", 2023, "L9", 2, 30, 10, 13));  // 300 litres, 39 Hlg
    const OpeningStock s = ComputeOpeningStock(work.folders(), 2024, "S");
    ASSERT_EQ(s.wort.size(), 1u);
    EXPECT_EQ(s.wort[0].LITRII, 1500);
    EXPECT_EQ(s.wort[0].MECUBI, 195);
    EXPECT_EQ(s.wort[0].GRAREA, 13) << "(195 - 39) * 100 / 1200 = 13";
    EXPECT_EQ(s.wort[0].DATMOV, EncodeDate(2022, 2, 3)) << "the first batch's fields";
}

TEST_F(StockTest, ConditionedGroupsByLotPackagePlatoAndVolume) {
    add(2023, "CND", packaged("C", 2023, "L1", 0, 0.33, 600));
    add(2023, "CND", packaged("C", 2023, "L1", 2, 20, 10));
    add(2023, "CND", packaged("S", 2023, "L1", 0, 0.33, 100));
    add(2023, "CND", packaged("C", 2023, "L1", 0, 0.33, 60, 12.05));  // Plato within 0.06
    add(2023, "CND", packaged("S", 2023, "L1", 2, 20, 10));           // all kegs sold
    add(2023, "CND", packaged("C", 2023, "L1", 0, 0.33, 6, 12.2));    // another Plato
    const OpeningStock s = ComputeOpeningStock(work.folders(), 2024, "S");
    ASSERT_EQ(s.conditioned.size(), 3u);
    EXPECT_EQ(s.conditioned[0].FINALE, 560);
    EXPECT_EQ(s.conditioned[0].INIZIO, 0);
    EXPECT_EQ(s.conditioned[1].FINALE, 0) << "sold out, still written: it was loaded";
    EXPECT_EQ(s.conditioned[1].INIZIO, 2);
    EXPECT_GT(s.conditioned[1].LITRII, 0);
    EXPECT_EQ(s.conditioned[2].GRAREA, 12.2);
    EXPECT_EQ(s.conditioned[0].DATMOV, EncodeDate(2024, 1, 1));
    const auto lines = sectionLines(s);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "BIONDA Lotto: L1 N. 560 Bottiglie da: 0,33"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "BIONDA Lotto: L1 N. 0 Fusto da: 20"),
              lines.end());
}

TEST_F(StockTest, PaidDutyRegimeWritesButDoesNotList) {
    add(2023, "CND", packaged("C", 2023, "L1", 0, 0.5, 100));
    const OpeningStock s = ComputeOpeningStock(work.folders(), 2024, "A");
    EXPECT_EQ(s.conditioned.size(), 1u);
    for (const auto& l : s.lines) {
        EXPECT_EQ(l.find("CONDIZIONATI"), std::string::npos) << l;
        EXPECT_EQ(l.find("Lotto: L1 N."), std::string::npos) << l;
    }
}

TEST_F(StockTest, DamagedYearFileStopsBeforeAnythingIsWritten) {
    WriteBytes(YearFilePath(work.folders(), 2021, "CND"), Bytes(551, 0));
    EXPECT_THROW(ComputeOpeningStock(work.folders(), 2024, "S"), DamagedFile);
    EXPECT_FALSE(FileExists(YearFilePath(work.folders(), 2024, "GMP")));
}

TEST_F(StockTest, MeterContinuity) {
    MovementRecord b = batch(2024, "L1", 500, 12);
    b.DATMOV = EncodeDate(2024, 3, 1);
    b.INIZIO = 1000;
    b.FINALE = 1500;
    b.NUMDOC = "12";
    add(2024, "CTT", b);
    MovementRecord ok = Movement("S", 2, 3, 2024);
    ok.INIZIO = 1500;
    ok.FINALE = 1600;
    add(2024, "CTT", ok);
    const double from = EncodeDate(2024, 1, 1);
    const double to = EncodeDate(2024, 12, 31);
    EXPECT_TRUE(FindMeterBreaks(work.folders(), from, to).empty());

    MovementRecord jump = batch(2024, "L2", 500, 12);
    jump.DATMOV = EncodeDate(2024, 3, 5);
    jump.INIZIO = 1610;
    jump.FINALE = 2000;
    jump.NUMDOC = "13";
    add(2024, "CTT", jump);
    MovementRecord after = Movement("S", 6, 3, 2024);
    after.INIZIO = 2010;
    after.FINALE = 2050;
    add(2024, "CTT", after);
    EXPECT_EQ(FindMeterBreaks(work.folders(), from, to),
              (std::vector<std::string>{
                  "In data 05/03/2024 il contalitri parte da 1610 mentre la lettura precedente "
                  "SANIFICAZIONE del 02/03/2024 finiva a 1600",
                  "In data 06/03/2024 il contalitri parte da 2010 mentre la lettura precedente "
                  "COTTA N. 13 del 05/03/2024 finiva a 2000"}));
    EXPECT_EQ(FindMeterBreaks(work.folders(), EncodeDate(2024, 3, 6), to).size(), 0u)
        << "the period starts without a previous reading";
}

}  // namespace
}  // namespace veltrano
