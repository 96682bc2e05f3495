#include <gtest/gtest.h>

#include "core/record_file.h"
#include "core/table_record.h"
#include "support/test_support.h"

namespace veltrano {
namespace {

using testing::ReadBytes;
using testing::ScriptedPrompt;
using testing::TempWorkFolder;
using testing::WriteBytes;

TableRecord entry(std::int32_t id, const std::string& key, const std::string& text = "") {
    TableRecord r;
    TableBlank(r);
    r.ID = id;
    r.STR1[0] = key;
    r.STR1[1] = text;
    return r;
}

struct Row {
    std::int32_t id;
    std::string key;
    std::string text;
};

std::vector<Row> rows(const std::string& path) {
    const RecordFile f = RecordFile::OpenIfPresent(path, TableRecord::kSize);
    std::vector<Row> out;
    for (std::size_t k = 0; k < f.count(); ++k) {
        TableRecord r = TableRecord::decode(f.record(k));
        TableTrim(r);
        out.push_back({r.ID, r.STR1[0], r.STR1[1]});
    }
    return out;
}

class TableTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedPrompt prompt;
    std::string path = JoinPath(work.folders().datiGen, "TA03.TAB");

    void insert(TableRecord r) { TableInsertOrdered(path, r, prompt); }
};

TEST_F(TableTest, IdsAreOnePlusTheLargestWhereverItStands) {
    TableRecord first = entry(0, "B");
    TableInsertOrdered(path, first, prompt);
    EXPECT_EQ(first.ID, 1);
    EXPECT_EQ(first.STR1[0].size(), 250u) << "comes back padded";
    insert(entry(7, "A"));  // a record with an ID keeps it, and sorts first
    insert(entry(3, "C"));
    TableRecord next = entry(0, "D");
    TableInsertOrdered(path, next, prompt);
    EXPECT_EQ(next.ID, 8);
    EXPECT_FALSE(FileExists(path + "$"));
}

TEST_F(TableTest, OrderByKeyAfterEqualKeys) {
    insert(entry(0, "MI", "first"));
    insert(entry(0, "AB"));
    insert(entry(0, "mi"));               // lower case sorts after upper case
    insert(entry(0, "MI   ", "second"));  // trailing blanks do not make a different key
    insert(entry(0, "MIA"));
    insert(entry(0, "MI", "third"));
    const auto r = rows(path);
    ASSERT_EQ(r.size(), 6u);
    const std::vector<std::string> keys = {r[0].key, r[1].key, r[2].key,
                                           r[3].key, r[4].key, r[5].key};
    EXPECT_EQ(keys, (std::vector<std::string>{"AB", "MI", "MI", "MI", "MIA", "mi"}));
    EXPECT_EQ(r[1].text, "first");
    EXPECT_EQ(r[2].text, "second");
    EXPECT_EQ(r[3].text, "third");
}

TEST_F(TableTest, NonAsciiKeysSortByTheirStoredBytes) {
    insert(entry(0, "È"));  // 0xC8 in Windows-1252
    insert(entry(0, "€"));  // 0x80
    insert(entry(0, "Z"));
    const auto r = rows(path);
    EXPECT_EQ(r[0].key, "Z");
    EXPECT_EQ(r[1].key, "€");
    EXPECT_EQ(r[2].key, "È");
}

TEST_F(TableTest, DeleteTruncatesAndAnAbsentIdChangesNoByte) {
    insert(entry(0, "A"));
    insert(entry(0, "B"));
    insert(entry(0, "C"));
    // Bytes past a text's length are undefined: another program may leave anything there.
    Bytes bytes = ReadBytes(path);
    bytes[TableRecord::kSize + TableRecord::OffsetSTR2(3)] = 3;
    bytes[TableRecord::kSize + TableRecord::OffsetSTR2(3) + 200] = 0xEE;
    WriteBytes(path, bytes);

    EXPECT_FALSE(TableDeleteById(42, path, prompt));
    EXPECT_EQ(ReadBytes(path), bytes);

    EXPECT_TRUE(TableDeleteById(3, path, prompt));  // the last record
    const Bytes after = ReadBytes(path);
    EXPECT_EQ(after, Bytes(bytes.begin(), bytes.begin() + 2 * TableRecord::kSize));

    EXPECT_TRUE(TableDeleteById(1, path, prompt));
    EXPECT_EQ(ReadBytes(path),
              Bytes(bytes.begin() + TableRecord::kSize, bytes.begin() + 2 * TableRecord::kSize))
        << "the records after the deleted one keep every byte";
}

TEST_F(TableTest, FindById) {
    insert(entry(0, "A", "uno"));
    insert(entry(0, "B", "due"));
    const auto found = TableFindById(2, path);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(TrimText(found->STR1[1]), "due");
    EXPECT_EQ(found->STR1[1].size(), 250u) << "left padded";
    EXPECT_FALSE(TableFindById(9, path).has_value());
    const std::string missing = JoinPath(work.folders().datiGen, "NUOVA.TAB");
    EXPECT_FALSE(TableFindById(1, missing).has_value());
    EXPECT_TRUE(FileExists(missing));
}

TEST_F(TableTest, KeyExistsBySearchFields) {
    const std::string strPath = JoinPath(work.folders().datiGen, "TA03.STR");
    TableRecord probe = entry(0, "MI1", "MILANO");

    EXPECT_FALSE(TableKeyExists(probe, "TA03", work.folders(), prompt).has_value());
    ASSERT_EQ(prompt.messages, std::vector<std::string>{"STRUTTURA DEL FILE MANCANTE"});
    WriteBytes(strPath, {});
    EXPECT_FALSE(TableKeyExists(probe, "TA03", work.folders(), prompt).has_value());
    EXPECT_EQ(prompt.messages.size(), 2u) << "an empty structure file counts as missing";

    TableStructure s;
    s.searchFields = 2;
    s.name = "TA03";
    WriteBytes(strPath, s.toRecord().encode());
    insert(entry(0, "MI1", "MILANO 1"));
    insert(entry(0, "MI1", "MILANO"));

    probe = entry(0, "  MI1 ", "MILANO   ");
    const auto found = TableKeyExists(probe, " TA03 ", work.folders(), prompt);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->ID, 2);
    EXPECT_FALSE(TableKeyExists(entry(0, "MI1", "milano"), "TA03", work.folders(), prompt))
        << "case-sensitive";

    s.searchFields = 0;  // no search field: the first record matches
    WriteBytes(strPath, s.toRecord().encode());
    const auto any = TableKeyExists(entry(0, "X"), "TA03", work.folders(), prompt);
    ASSERT_TRUE(any.has_value());
    EXPECT_EQ(any->ID, 1);
    EXPECT_EQ(prompt.messages.size(), 2u);
}

}  // namespace
}  // namespace veltrano
