#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/prompt.h"
#include "core/table_record.h"

namespace veltrano {

// Where a new entry goes in a table file: before the first record for which
// `follows(stored)` is true; appended when there is none.
using FollowsRule = std::function<bool(const TableRecord& stored)>;

// The rule of the code tables: after every entry whose padded STR1[0] does not
// compare greater (byte by byte) than rec's, so equal keys keep their order.
FollowsRule FollowsByKey(const TableRecord& rec);

// What a locked change of a table refused to do.
enum class EditOutcome { Saved, KeyInUse };

// The modification of a table entry as one locked change: the entry `oldId`
// (0 for a new entry) is removed, rec is inserted where `follows` says, with
// ID 1 + the largest remaining ID when its ID is 0. The file is written once, so
// a failure leaves the old entry in place instead of losing it. `inUse`, when
// given, is asked about every other entry under the lock (another workstation
// may have saved the same key meanwhile): when it answers true nothing is
// written and KeyInUse is returned. rec comes back padded, with its ID.
// `beforeCommit` runs under the lock once the ID is known and before the table
// is written (the recipe file of a beer type is written there).
EditOutcome TableReplaceEntry(const std::string& path, std::int32_t oldId, TableRecord& rec,
                              const FollowsRule& follows, Prompt& prompt,
                              const std::function<bool(const TableRecord&)>& inUse = {},
                              const std::function<void(const TableRecord&)>& beforeCommit = {});

// The first entry of path whose trimmed STR1[0] equals the trimmed key, other
// than the entry `exceptId`; the file is only read.
std::optional<TableRecord> FindEntryByName(const std::string& path, const std::string& key,
                                           std::int32_t exceptId = 0);

// Trimmed texts equal, as keys are compared ("trimmed and followed by one blank").
bool SameKey(const std::string& a, const std::string& b);

}  // namespace veltrano
