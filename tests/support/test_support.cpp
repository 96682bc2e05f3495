#include "support/test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/dates.h"
#include "core/record_file.h"

namespace veltrano::testing {

TempWorkFolder::TempWorkFolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "veltrano-test-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp");
    root_ = tmpl;
    folders_ = Folders::At(JoinPath(root_, "work"), JoinPath(root_, "local"));
    folders_.create();
}

TempWorkFolder::~TempWorkFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

Bytes ReadBytes(const std::string& path) {
    auto b = ReadWholeFile(path);
    if (!b) ADD_FAILURE() << "missing file " << path;
    return b ? *b : Bytes{};
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    ReplaceFileAtomically(path, ByteSpan{bytes});
}

MovementRecord Movement(const std::string& tipmov, int day, int month, int year) {
    MovementRecord r;
    MovementBlank(r);
    r.TIPMOV = tipmov;
    r.DATMOV = EncodeDate(year, month, day);
    return r;
}

std::vector<MovementRecord> ReadMovements(const std::string& path) {
    const RecordFile f = RecordFile::OpenIfPresent(path, MovementRecord::kSize);
    std::vector<MovementRecord> out;
    for (std::size_t k = 0; k < f.count(); ++k) {
        out.push_back(MovementRecord::decode(f.record(k)));
        MovementTrim(out.back());
    }
    return out;
}

}  // namespace veltrano::testing
