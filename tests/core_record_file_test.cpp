#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/io_error.h"
#include "core/record_file.h"
#include "support/test_support.h"

namespace veltrano {
namespace {

using testing::ReadBytes;
using testing::TempWorkFolder;
using testing::WriteBytes;

Bytes rec(std::uint8_t tag, std::size_t size = 8) {
    return Bytes(size, tag);
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

bool hasTempFiles(const std::string& folder) {
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        if (e.path().filename().string().rfind(kTempPrefix, 0) == 0) return true;
    }
    return false;
}

TEST(RecordFile, OpenOrCreateMakesAnEmptyFile) {
    TempWorkFolder w;
    const std::string p = JoinPath(w.folders().registri, "2024.CTT");
    RecordFile f = RecordFile::OpenOrCreate(p, 8);
    EXPECT_EQ(f.count(), 0u);
    ASSERT_TRUE(FileExists(p));
    EXPECT_EQ(ReadBytes(p).size(), 0u);
    f.append(rec(1));
    f.commit();
    EXPECT_EQ(ReadBytes(p), rec(1));
}

TEST(RecordFile, ReadersCreateNothing) {
    TempWorkFolder w;
    const std::string p = JoinPath(w.folders().registri, "2024.CND");
    const RecordFile f = RecordFile::OpenIfPresent(p, 8);
    EXPECT_TRUE(f.empty());
    EXPECT_FALSE(FileExists(p));
    // A folder in place of the file: readers see an empty table.
    std::filesystem::create_directory(p);
    EXPECT_TRUE(RecordFile::OpenIfPresent(p, 8).empty());
}

TEST(RecordFile, EditsGiveTheBytesOfShiftingInPlace) {
    TempWorkFolder w;
    const std::string p = JoinPath(w.folders().registri, "X.DAT");
    WriteBytes(p, concat({rec(1), rec(2), rec(3)}));

    RecordFile f = RecordFile::OpenOrCreate(p, 8);
    f.insertAt(1, rec(9));
    f.commit();
    EXPECT_EQ(ReadBytes(p), concat({rec(1), rec(9), rec(2), rec(3)}));

    f = RecordFile::OpenOrCreate(p, 8);
    f.eraseAt(3);  // the last record: the file shrinks by one
    f.updateAt(0, rec(7));
    f.commit();
    EXPECT_EQ(ReadBytes(p), concat({rec(7), rec(9), rec(2)}));

    f = RecordFile::OpenOrCreate(p, 8);
    EXPECT_EQ(f.keepIf([](ByteSpan r) { return r[0] != 9; }), 1u);
    f.commit();
    EXPECT_EQ(ReadBytes(p), concat({rec(7), rec(2)}));
    EXPECT_FALSE(hasTempFiles(w.folders().registri));
}

TEST(RecordFile, UnchangedFileIsNotRewritten) {
    TempWorkFolder w;
    const std::string p = JoinPath(w.folders().registri, "X.DAT");
    WriteBytes(p, rec(1));
    struct stat before {};
    ASSERT_EQ(::stat(p.c_str(), &before), 0);
    RecordFile f = RecordFile::OpenOrCreate(p, 8);
    f.keepIf([](ByteSpan) { return true; });
    f.commit();
    struct stat after {};
    ASSERT_EQ(::stat(p.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST(RecordFile, DamagedSizeIsRefusedAndNothingWritten) {
    TempWorkFolder w;
    const std::string p = JoinPath(w.folders().registri, "2024.CTT");
    WriteBytes(p, Bytes(13, 1));
    try {
        (void)RecordFile::OpenOrCreate(p, 8);
        FAIL() << "a 13-byte file of 8-byte records must be refused";
    } catch (const DamagedFile& e) {
        EXPECT_NE(std::string(e.what()).find(p), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("13"), std::string::npos);
    }
    EXPECT_THROW((void)RecordFile::OpenIfPresent(p, 8), DamagedFile);
    EXPECT_EQ(ReadBytes(p), Bytes(13, 1));
}

TEST(RecordFile, IoErrorsNameTheFileAndTheReason) {
    TempWorkFolder w;
    const std::string p = JoinPath(JoinPath(w.folders().registri, "MISSING"), "2024.CTT");
    try {
        RecordFile f = RecordFile::Empty(p, 8);
        f.append(rec(1));
        f.commit();
        FAIL() << "writing into a missing folder must fail";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), p);
        EXPECT_NE(std::string(e.what()).find(p), std::string::npos);
        EXPECT_NE(e.reason().find("No such file"), std::string::npos) << e.reason();
    }
}

TEST(RecordFile, ReplacementKeepsThePermissions) {
    TempWorkFolder w;
    const std::string p = JoinPath(w.folders().datiGen, "WEB.CFG");
    WriteBytes(p, rec(1));
    ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
    ReplaceFileAtomically(p, ByteSpan{rec(2)});
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadBytes(p), rec(2));
}

TEST(RecordFile, FoldersAreCreatedWithTheirNames) {
    TempWorkFolder w;
    for (const char* name : {"DATI_GEN", "REGISTRI", "LOG", "XFIRMA", "PREVENTIVE", "BILANCI"}) {
        EXPECT_TRUE(std::filesystem::is_directory(w.path(std::string("work/") + name))) << name;
    }
    EXPECT_TRUE(std::filesystem::is_directory(w.folders().temp));
}

TEST(Folders, TemporaryFolderFollowsXdg) {
    const char* saved = std::getenv("XDG_STATE_HOME");
    const std::string keep = saved ? saved : "";
    ::setenv("XDG_STATE_HOME", "/var/tmp/state", 1);
    EXPECT_EQ(DefaultTempFolder(), "/var/tmp/state/veltrano");
    ::unsetenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    if (home != nullptr) {
        EXPECT_EQ(DefaultTempFolder(), std::string(home) + "/.local/state/veltrano");
    }
    if (saved) ::setenv("XDG_STATE_HOME", keep.c_str(), 1);
}

}  // namespace
}  // namespace veltrano
