// The folder check and the dump over random files in a temporary working folder.
// The input is cut into up to three files whose names the first bytes choose,
// so the links between a wort file and its raw-materials file are exercised.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "admin/check.h"
#include "admin/dump.h"
#include "admin/record_kinds.h"

namespace {

namespace fs = std::filesystem;

void require(bool ok) {
    if (!ok) std::abort();
}

const char* const kNames[] = {
    "REGISTRI/2024.CTT", "REGISTRI/2024.MPR", "REGISTRI/2024.CND", "REGISTRI/2024.PRV",
    "REGISTRI/2024.DER", "REGISTRI/2024.GMP", "LOG/2024.TCH",      "DATI_GEN/PRAZ.TAB",
    "REGISTRI/2023.MPR", "REGISTRI/2023.CTT", "DATI_GEN/PROT.CTT", "REGISTRI/2024.CTT$",
};

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

std::string root() {
    static const std::string r = [] {
        const char* base = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string t = std::string(base) + "/veltrano-fuzz-XXXXXX";
        require(::mkdtemp(t.data()) != nullptr);
        for (const char* sub : {"DATI_GEN", "REGISTRI", "LOG"})
            fs::create_directories(t + "/" + sub);
        return t;
    }();
    return r;
}

void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    require(fd >= 0);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        require(n > 0);
        done += static_cast<std::size_t>(n);
    }
    require(::close(fd) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrano::admin;
    // Header: data[0] the number of files (1 to 3), data[1..3] their names,
    // data[4] and data[5] the whole records of the first two; a high bit adds a
    // few stray bytes. The last file takes the rest.
    if (size < 6) return 0;
    const std::string work = root();
    for (const char* sub : {"DATI_GEN", "REGISTRI", "LOG"}) {
        for (const auto& e : fs::directory_iterator(work + "/" + sub))
            fs::remove(e.path());
    }
    const std::size_t files = 1 + data[0] % 3;
    std::vector<std::string> names;
    const std::uint8_t* p = data + 6;
    std::size_t left = size - 6;
    for (std::size_t i = 0; i < files; ++i) {
        const std::string name = kNames[data[1 + i] % (sizeof kNames / sizeof kNames[0])];
        std::size_t take = left;
        if (i + 1 < files) {
            const std::uint8_t n = data[4 + i];
            take = std::min(left,
                            (n & 0x3f) * std::size_t{552} + ((n & 0x80) ? data[1 + i] >> 4 : 0u));
        }
        writeFile(work + "/" + name, p, take);
        names.push_back(name);
        p += take;
        left -= take;
    }

    const auto problems = CheckFolder(work);
    for (const Problem& pr : problems) {
        require(!pr.what.empty());
        require(!FormatProblem(pr).empty());
    }
    NullBuffer nb;
    std::ostream sink(&nb);
    for (const std::string& name : names) {
        const RecordKind* kind = FindRecordKind(name);
        const std::string path = work + "/" + name;
        bool reported = false;
        for (const Problem& pr : problems)
            reported |= pr.file == name;
        try {
            DumpFile(path, DumpFormat::Csv, sink);
            DumpFile(path, DumpFormat::JsonLines, sink);
            require(kind != nullptr);
        } catch (const AdminError&) {
            // A file the dump refuses is one the check reports, unless it is no
            // record file at all.
            require(kind == nullptr || reported);
        }
    }
    return 0;
}
