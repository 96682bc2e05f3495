#include <gtest/gtest.h>

#include "core/dates.h"
#include "core/io_error.h"
#include "core/record_file.h"
#include "registers/movement.h"
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

class MovementTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedPrompt prompt;
    std::string file(const std::string& name) const {
        return JoinPath(work.folders().registri, name);
    }

    MovementRecord insert(const std::string& path, MovementRecord r) {
        MovementInsertOrdered(path, r, prompt);
        return r;
    }
    // The ANNOTA of each record, in file order: tests tag movements there.
    std::vector<std::string> order(const std::string& path) const {
        std::vector<std::string> out;
        for (const auto& r : ReadMovements(path))
            out.push_back(r.ANNOTA);
        return out;
    }
    static MovementRecord tagged(MovementRecord r, const std::string& tag) {
        r.ANNOTA = tag;
        return r;
    }
};

TEST_F(MovementTest, NumbersStartAtOneAndFollowTheLargest) {
    const std::string p = file("2024.CTT");
    const MovementRecord first = insert(p, Movement("C", 5, 3, 2024));
    EXPECT_EQ(first.NUMMOV, 1);
    EXPECT_EQ(ReadBytes(p).size(), 552u);

    MovementRecord numbered = Movement("C", 1, 3, 2024);  // lands first
    numbered.NUMMOV = 17;
    insert(p, numbered);
    EXPECT_EQ(insert(p, Movement("S", 9, 3, 2024)).NUMMOV, 18);
    EXPECT_FALSE(FileExists(p + "$"));
}

TEST_F(MovementTest, InsertPadsAndRoundsTheDate) {
    const std::string p = file("2024.MPR");
    MovementRecord r = Movement("C", 10, 3, 2024);
    r.DATMOV += 0.6;  // a time of day slipped in
    r.LMOSTO = "ABC";
    r = insert(p, r);
    EXPECT_EQ(r.DATMOV, EncodeDate(2024, 3, 11));
    EXPECT_EQ(r.LMOSTO, "ABC" + std::string(17, ' '));
    const Bytes b = ReadBytes(p);
    EXPECT_EQ(b[MovementRecord::Layout::LMOSTO], 20);
    EXPECT_EQ(GetDouble(b, MovementRecord::Layout::DATMOV), EncodeDate(2024, 3, 11));
}

TEST_F(MovementTest, DateOrderShiftsTheLaterRecords) {
    const std::string p = file("2024.CND");
    insert(p, tagged(Movement("S", 9, 3, 2024), "09/03"));
    insert(p, tagged(Movement("S", 11, 3, 2024), "11/03"));
    insert(p, tagged(Movement("S", 12, 3, 2024), "12/03"));
    const Bytes before = ReadBytes(p);
    insert(p, tagged(Movement("S", 10, 3, 2024), "10/03"));
    EXPECT_EQ(order(p), (std::vector<std::string>{"09/03", "10/03", "11/03", "12/03"}));
    const Bytes after = ReadBytes(p);
    ASSERT_EQ(after.size(), before.size() + 552);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 552, after.begin()));
    EXPECT_TRUE(std::equal(before.begin() + 552, before.end(), after.begin() + 2 * 552))
        << "11/03 and everything after it moved down by one, unchanged";
}

TEST_F(MovementTest, WortFollowsTheMeterWithinADay) {
    const std::string p = file("2024.CTT");
    auto batch = [](int inizio, int finale, const std::string& tag) {
        MovementRecord r = Movement("C", 4, 3, 2024);
        r.INIZIO = inizio;
        r.FINALE = finale;
        r.ANNOTA = tag;
        return r;
    };
    insert(p, batch(2000, 3000, "second"));
    insert(p, batch(1000, 2000, "first"));  // FINALE not above the other's INIZIO
    insert(p, batch(3000, 3500, "third"));
    insert(p, tagged(Movement("S", 3, 3, 2024), "day before"));
    EXPECT_EQ(order(p), (std::vector<std::string>{"day before", "first", "second", "third"}));
}

TEST_F(MovementTest, RawMaterialLoadsPrecedeUnloadsOfTheirDay) {
    const std::string p = file("2024.MPR");
    insert(p, tagged(Movement("S", 4, 3, 2024), "unload 1"));
    insert(p, tagged(Movement("C", 4, 3, 2024), "load 1"));
    insert(p, tagged(Movement("S", 4, 3, 2024), "unload 2"));
    insert(p, tagged(Movement("C", 4, 3, 2024), "load 2"));
    insert(p, tagged(Movement("C", 5, 3, 2024), "next day"));
    EXPECT_EQ(order(p),
              (std::vector<std::string>{"load 1", "load 2", "unload 1", "unload 2", "next day"}));
}

TEST_F(MovementTest, ConditionedLoadsPrecedeTheOtherKindsOfTheirDay) {
    const std::string p = file("2024.CND");
    insert(p, tagged(Movement("S", 4, 3, 2024), "sale"));
    insert(p, tagged(Movement("C", 4, 3, 2024), "conditioning"));
    insert(p, tagged(Movement("E", 4, 3, 2024), "e-AD"));
    insert(p, tagged(Movement("R", 4, 3, 2024), "return"));
    insert(p, tagged(Movement("S", 4, 3, 2024), "late sale"));
    EXPECT_EQ(order(p),
              (std::vector<std::string>{"conditioning", "return", "sale", "e-AD", "late sale"}));
}

MovementRecord taxRecord(const std::string& type, const std::string& period, std::int32_t flow,
                         const std::string& tag) {
    MovementRecord r = Movement("", 1, 1, 2024);
    r.TIPREC = type;
    r.CODPAE = period;
    r.TIPOPE = "I";
    r.NUMFLU = flow;
    r.LMOSTO = "2024";
    r.ANNOTA = tag;
    return r;
}

TEST_F(MovementTest, TaxRecordsInPeriodOrderAndUnsentOnesReplaced) {
    const std::string p = file("2024.DER");
    insert(p, taxRecord("E", "03", 0, "E03"));
    insert(p, taxRecord("E", "07", 0, "E07"));
    insert(p, taxRecord("R", "03", 0, "R03"));
    EXPECT_EQ(order(p), (std::vector<std::string>{"E03", "R03", "E07"}));

    // An unsent E for 07 exists: it is replaced in place, nothing is added.
    const MovementRecord replaced = insert(p, taxRecord("E", "07", 0, "E07 new"));
    EXPECT_EQ(order(p), (std::vector<std::string>{"E03", "R03", "E07 new"}));
    EXPECT_EQ(replaced.NUMMOV, 4);

    // R for 05 while the only unsent R is for 03: inserted before the first later period.
    insert(p, taxRecord("R", "05", 0, "R05"));
    EXPECT_EQ(order(p), (std::vector<std::string>{"E03", "R03", "R05", "E07 new"}));
}

TEST_F(MovementTest, SentOrAnnulledTaxRecordsAreNeverReplaced) {
    const std::string p = file("2024.DER");
    insert(p, taxRecord("E", "05", 12, "E05 sent"));
    insert(p, taxRecord("E", "09", 0, "E09"));
    insert(p, taxRecord("E", "05", 0, "E05 new"));
    EXPECT_EQ(order(p), (std::vector<std::string>{"E05 sent", "E05 new", "E09"}));

    MovementRecord annulled = taxRecord("E", "02", 0, "E02 annulled");
    annulled.TIPRET = "C";
    insert(p, annulled);
    insert(p, taxRecord("E", "02", 0, "E02 again"));
    EXPECT_EQ(order(p), (std::vector<std::string>{"E02 annulled", "E02 again", "E05 sent",
                                                  "E05 new", "E09"}));
}

TEST_F(MovementTest, DeleteByNumber) {
    const std::string p = file("2024.CND");
    for (int d = 1; d <= 4; ++d)
        insert(p, Movement("S", d, 3, 2024));
    const Bytes before = ReadBytes(p);
    EXPECT_FALSE(MovementDeleteByNumber(99, p, "S", prompt));
    EXPECT_EQ(ReadBytes(p), before);
    EXPECT_TRUE(MovementDeleteByNumber(2, p, "S", prompt));
    const auto left = ReadMovements(p);
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(left[0].NUMMOV, 1);
    EXPECT_EQ(left[1].NUMMOV, 3);
    EXPECT_EQ(left[2].NUMMOV, 4);
    EXPECT_EQ(insert(p, Movement("S", 9, 3, 2024)).NUMMOV, 5);
    EXPECT_TRUE(MovementDeleteByNumber(5, p, "S", prompt));
    EXPECT_EQ(insert(p, Movement("S", 9, 3, 2024)).NUMMOV, 5) << "the largest number is free again";
}

TEST_F(MovementTest, DeletingABatchTakesItsUnloadsAndOnlyThem) {
    const std::string ctt = file("2024.CTT");
    const std::string mpr = file("2024.MPR");
    const MovementRecord batch = insert(ctt, Movement("C", 4, 3, 2024));
    const MovementRecord sanitisation = insert(ctt, Movement("S", 5, 3, 2024));
    ASSERT_EQ(batch.NUMMOV, 1);
    auto unload = [&](std::int32_t rif, const std::string& tag) {
        MovementRecord r = Movement("S", 4, 3, 2024);
        r.NUMRIF = rif;
        r.ANNOTA = tag;
        insert(mpr, r);
    };
    unload(1, "malt of 1");
    unload(2, "linked to number 2");
    unload(0, "by hand");
    unload(1, "hops of 1");

    // A sanitisation never touches the raw materials, even with a matching number.
    const Bytes mprBefore = ReadBytes(mpr);
    EXPECT_TRUE(MovementDeleteByNumber(sanitisation.NUMMOV, ctt, "S", prompt));
    EXPECT_EQ(ReadBytes(mpr), mprBefore);

    EXPECT_TRUE(MovementDeleteByNumber(batch.NUMMOV, ctt, "C", prompt));
    EXPECT_TRUE(ReadMovements(ctt).empty());
    EXPECT_EQ(order(mpr), (std::vector<std::string>{"linked to number 2", "by hand"}));
    EXPECT_FALSE(FileExists(ctt + "$"));
    EXPECT_FALSE(FileExists(mpr + "$"));

    // A number no longer in the wort file still clears its unloads.
    unload(7, "orphan of 7");
    EXPECT_FALSE(MovementDeleteByNumber(7, ctt, "C", prompt));
    EXPECT_EQ(order(mpr), (std::vector<std::string>{"linked to number 2", "by hand"}));
}

TEST_F(MovementTest, BatchDeletionWithoutARawMaterialsFile) {
    const std::string ctt = file("2023.CTT");
    insert(ctt, Movement("C", 4, 3, 2023));
    EXPECT_TRUE(MovementDeleteByNumber(1, ctt, "C", prompt));
    EXPECT_FALSE(FileExists(file("2023.MPR"))) << "nothing is created for the cascade";
}

TEST_F(MovementTest, DamagedRawMaterialsFileStopsTheBatchDeletion) {
    const std::string ctt = file("2024.CTT");
    const std::string mpr = file("2024.MPR");
    insert(ctt, Movement("C", 4, 3, 2024));
    WriteBytes(mpr, Bytes(100, 0));
    const Bytes cttBefore = ReadBytes(ctt);
    EXPECT_THROW(MovementDeleteByNumber(1, ctt, "C", prompt), DamagedFile);
    EXPECT_EQ(ReadBytes(ctt), cttBefore) << "the batch stays with its unloads";
    EXPECT_EQ(ReadBytes(mpr), Bytes(100, 0));
    EXPECT_FALSE(FileExists(ctt + "$"));
    EXPECT_FALSE(FileExists(mpr + "$"));
}

TEST_F(MovementTest, ModificationAcrossTheYearEnd) {
    const std::string y2023 = file("2023.CTT");
    const std::string y2024 = file("2024.CTT");
    for (int k = 0; k < 3; ++k)
        insert(y2024, Movement("C", 10, 1, 2024));
    insert(y2023, Movement("S", 30, 12, 2023));
    MovementRecord current = insert(y2023, tagged(Movement("S", 31, 12, 2023), "moving"));
    MovementTrim(current);

    MovementRecord edited = current;
    edited.NUMMOV = 0;
    edited.DATMOV = EncodeDate(2024, 1, 2);
    SaveMovement(work.folders(), "CTT", current, edited, prompt);

    EXPECT_EQ(ReadMovements(y2023).size(), 1u);
    const auto moved = ReadMovements(y2024);
    ASSERT_EQ(moved.size(), 4u);
    EXPECT_EQ(moved[0].ANNOTA, "moving");
    EXPECT_EQ(moved[0].NUMMOV, 4) << "the next number of the new year's file";
    EXPECT_EQ(edited.NUMMOV, 4);
}

TEST_F(MovementTest, NewEntryAndImportSkipTheDelete) {
    const std::string p = file("2024.CND");
    insert(p, Movement("S", 1, 2, 2024));  // number 1
    for (const std::int32_t number : {0, -100}) {
        MovementRecord current = Movement("S", 1, 2, 2024);
        current.NUMMOV = number;
        MovementRecord edited = Movement("C", 2, 2, 2024);
        SaveMovement(work.folders(), "CND", current, edited, prompt);
    }
    EXPECT_EQ(ReadMovements(p).size(), 3u);
}

TEST(YearFiles, NamesAndKinds) {
    const Folders f = Folders::At("/srv/birra", "/tmp/x");
    EXPECT_EQ(YearFilePath(f, 2024, "CTT"), "/srv/birra/REGISTRI/2024.CTT");
    EXPECT_EQ(YearFilePathFor(f, EncodeDate(2023, 12, 31), "MPR"), "/srv/birra/REGISTRI/2023.MPR");
    EXPECT_EQ(YearFileKindOf("/srv/birra/REGISTRI/2024.CTT"), YearFileKind::Wort);
    EXPECT_EQ(YearFileKindOf("/srv/birra/REGISTRI/2024.MPR"), YearFileKind::RawMaterials);
    EXPECT_EQ(YearFileKindOf("/srv/birra/REGISTRI/2024.CND"), YearFileKind::Conditioned);
    EXPECT_EQ(YearFileKindOf("/srv/birra/REGISTRI/2024.DER"), YearFileKind::Other);
    EXPECT_EQ(YearFileKindOf("/srv/x.CTT/REGISTRI/2024.DER"), YearFileKind::Other)
        << "only the file name counts";
    EXPECT_EQ(YearFileKindOf("/srv/birra/REGISTRI/2024.ctt"), YearFileKind::Other);
    EXPECT_EQ(CompanionRawMaterialsPath("/srv/birra/REGISTRI/2024.CTT"),
              "/srv/birra/REGISTRI/2024.MPR");
}

TEST(CurrentMovement, StartsBlankAndIsShared) {
    MovementRecord& a = CurrentMovement();
    EXPECT_EQ(a.NUMMOV, 0);
    a.NUMMOV = 42;
    EXPECT_EQ(CurrentMovement().NUMMOV, 42);
    MovementBlank(a);
}

}  // namespace
}  // namespace veltrano
