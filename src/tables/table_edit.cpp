#include "tables/table_edit.h"

#include <algorithm>

#include "core/bytes.h"
#include "core/cp1252.h"
#include "core/lock.h"
#include "core/record_file.h"

namespace veltrano {

FollowsRule FollowsByKey(const TableRecord& rec) {
    TableRecord padded = rec;
    TablePad(padded);
    const std::string key = Utf8ToCp1252(padded.STR1[0]);
    return [key](const TableRecord& stored) {
        TableRecord s = stored;
        TablePad(s);
        // std::string compares bytes as unsigned char, as the stored texts require.
        return Utf8ToCp1252(s.STR1[0]).compare(key) > 0;
    };
}

bool SameKey(const std::string& a, const std::string& b) {
    return TrimText(a) == TrimText(b);
}

EditOutcome TableReplaceEntry(const std::string& path, std::int32_t oldId, TableRecord& rec,
                              const FollowsRule& follows, Prompt& prompt,
                              const std::function<bool(const TableRecord&)>& inUse,
                              const std::function<void(const TableRecord&)>& beforeCommit) {
    FileLock lock(path, prompt);
    RecordFile file = RecordFile::OpenOrCreate(path, TableRecord::kSize);
    if (oldId != 0) {
        for (std::size_t k = 0; k < file.count(); ++k) {
            if (GetInt32(file.record(k), TableRecord::OffsetID) == oldId) {
                file.eraseAt(k);
                break;
            }
        }
    }
    if (inUse) {
        for (std::size_t k = 0; k < file.count(); ++k) {
            if (inUse(TableRecord::decode(file.record(k)))) {
                lock.release();
                return EditOutcome::KeyInUse;
            }
        }
    }
    TablePad(rec);
    if (rec.ID == 0) {
        std::int32_t top = 0;
        for (std::size_t k = 0; k < file.count(); ++k) {
            top = std::max(top, GetInt32(file.record(k), TableRecord::OffsetID));
        }
        rec.ID = top + 1;
    }
    std::size_t at = file.count();
    for (std::size_t k = 0; k < file.count(); ++k) {
        if (follows(TableRecord::decode(file.record(k)))) {
            at = k;
            break;
        }
    }
    file.insertAt(at, rec.encode());
    if (beforeCommit) beforeCommit(rec);
    file.commit();
    lock.release();
    return EditOutcome::Saved;
}

std::optional<TableRecord> FindEntryByName(const std::string& path, const std::string& key,
                                           std::int32_t exceptId) {
    const RecordFile file = RecordFile::OpenIfPresent(path, TableRecord::kSize);
    const std::string wanted = TrimText(key);
    for (std::size_t k = 0; k < file.count(); ++k) {
        const ByteSpan r = file.record(k);
        if (exceptId != 0 && GetInt32(r, TableRecord::OffsetID) == exceptId) continue;
        const std::string name =
            TrimText(GetText(r, TableRecord::OffsetSTR1(0), TableRecord::kTextWidth));
        if (name == wanted) return TableRecord::decode(r);
    }
    return std::nullopt;
}

}  // namespace veltrano
