#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "core/file_io.h"

namespace veltrano::admin {

// One thing wrong with a working folder: the file (relative to the working
// folder), the record (from 0) when it concerns one, and what is wrong.
struct Problem {
    std::string file;
    std::optional<std::size_t> record;
    std::string what;
    friend bool operator==(const Problem&, const Problem&) = default;
};

// "REGISTRI/2024.CTT, record 3: ..." or "REGISTRI/2024.CTT: ..."
std::string FormatProblem(const Problem& p);

// Lock markers and temporary files younger than this belong to a write in
// progress on some workstation and are left alone.
inline constexpr std::chrono::seconds kStaleAfter{60};

// The records of one record file. `file` is the name used in the problems (its
// last component names the kind); `sameFolder` gives the content of another
// file of the same folder by name (nullopt when missing), for the links between
// year files. Files whose name is not a record file's give no problems.
std::vector<Problem> CheckRecordFile(
    const std::string& file, ByteSpan bytes,
    const std::function<std::optional<Bytes>(const std::string& name)>& sameFolder);

// Every record file, lock marker and temporary file below DATI_GEN, REGISTRI and
// LOG of `folder`, in path order. AdminError when the folder cannot be read or is
// not a working folder.
std::vector<Problem> CheckFolder(
    const std::string& folder,
    std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

}  // namespace veltrano::admin
