#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/bytes.h"

namespace veltrano {

using Bytes = std::vector<std::uint8_t>;

// The whole file in one read; nullopt when it does not exist. Other failures
// raise IoError.
std::optional<Bytes> ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);

// Replaces the content of path with the concatenation of pieces, atomically: the
// bytes go to a temporary file in the same folder (so the rename stays on one
// file system, even on a network share), are flushed to disk, and the temporary
// file is renamed over path. A crash or a full disk at any moment leaves either
// the old or the new content; never a torn file. One write call for all pieces.
void ReplaceFileAtomically(const std::string& path, std::span<const ByteSpan> pieces);
void ReplaceFileAtomically(const std::string& path, ByteSpan content);

// Creates an empty file when none exists (never truncates an existing one).
void CreateEmptyIfMissing(const std::string& path);

void RemoveFile(const std::string& path);   // IoError unless removed or already missing
void MakeFolders(const std::string& path);  // mkdir -p

// Prefix of the temporary files of ReplaceFileAtomically, so that folder scans
// can recognise and skip them.
inline constexpr const char* kTempPrefix = ".~";

}  // namespace veltrano
