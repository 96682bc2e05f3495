#include "core/table_record.h"

#include <cstring>

#include "core/cp1252.h"
#include "core/folders.h"
#include "core/lock.h"
#include "core/record_file.h"

namespace veltrano {

Bytes TableRecord::encode() const {
    Bytes out(kSize, 0);
    encodeInto(out);
    return out;
}

void TableRecord::encodeInto(MutableByteSpan out) const {
    PutInt32(out, OffsetID, ID);
    for (std::size_t k = 0; k < kSlots; ++k) {
        PutText(out, OffsetSTR1(k), kTextWidth, STR1[k]);
        PutText(out, OffsetSTR2(k), kTextWidth, STR2[k]);
        PutInt32(out, OffsetINTERI(k), INTERI[k]);
        PutDouble(out, OffsetREALI1(k), REALI1[k]);
        PutDouble(out, OffsetREALI2(k), REALI2[k]);
        PutDouble(out, OffsetREALI3(k), REALI3[k]);
    }
}

TableRecord TableRecord::decode(ByteSpan in) {
    TableRecord r;
    r.ID = GetInt32(in, OffsetID);
    for (std::size_t k = 0; k < kSlots; ++k) {
        r.STR1[k] = GetText(in, OffsetSTR1(k), kTextWidth);
        r.STR2[k] = GetText(in, OffsetSTR2(k), kTextWidth);
        r.INTERI[k] = GetInt32(in, OffsetINTERI(k));
        r.REALI1[k] = GetDouble(in, OffsetREALI1(k));
        r.REALI2[k] = GetDouble(in, OffsetREALI2(k));
        r.REALI3[k] = GetDouble(in, OffsetREALI3(k));
    }
    return r;
}

void TableBlank(TableRecord& rec) {
    rec = TableRecord{};
    for (std::size_t k = 0; k < TableRecord::kSlots; ++k) {
        rec.STR1[k].assign(TableRecord::kTextWidth, ' ');
        rec.STR2[k].assign(TableRecord::kTextWidth, ' ');
    }
}

void TableTrim(TableRecord& rec) {
    for (std::size_t k = 0; k < TableRecord::kSlots; ++k) {
        rec.STR1[k] = TrimText(rec.STR1[k]);
        rec.STR2[k] = TrimText(rec.STR2[k]);
    }
}

void TablePad(TableRecord& rec) {
    for (std::size_t k = 0; k < TableRecord::kSlots; ++k) {
        rec.STR1[k] = PadText(rec.STR1[k], TableRecord::kTextWidth);
        rec.STR2[k] = PadText(rec.STR2[k], TableRecord::kTextWidth);
    }
}

std::optional<TableRecord> TableFindById(std::int32_t id, const std::string& path) {
    const RecordFile file = RecordFile::OpenOrCreate(path, TableRecord::kSize);
    for (std::size_t k = 0; k < file.count(); ++k) {
        const ByteSpan r = file.record(k);
        if (GetInt32(r, TableRecord::OffsetID) != id) continue;
        TableRecord rec = TableRecord::decode(r);
        TablePad(rec);
        return rec;
    }
    return std::nullopt;
}

std::optional<TableStructure> ReadTableStructure(const Folders& folders, const std::string& name) {
    const std::string path = JoinPath(folders.datiGen, TrimText(name) + ".STR");
    const RecordFile file = RecordFile::OpenIfPresent(path, TableRecord::kSize);
    if (file.empty()) return std::nullopt;
    TableRecord rec = TableRecord::decode(file.record(0));
    TableTrim(rec);
    return TableStructure::FromRecord(rec);
}

std::optional<TableRecord> TableKeyExists(const TableRecord& rec, const std::string& tableName,
                                          const Folders& folders, Prompt& prompt) {
    const std::string base = JoinPath(folders.datiGen, TrimText(tableName));
    const auto structure = ReadTableStructure(folders, tableName);
    if (!structure) {
        prompt.message("STRUTTURA DEL FILE MANCANTE");
        return std::nullopt;
    }
    int n = structure->searchFields;
    if (n < 0) n = 0;
    if (n > 10) n = 10;
    std::array<std::string, 10> wanted;
    for (int k = 0; k < n; ++k) {
        wanted[static_cast<std::size_t>(k)] =
            Utf8ToCp1252(TrimText(rec.STR1[static_cast<std::size_t>(k)])) + " ";
    }
    const RecordFile file = RecordFile::OpenOrCreate(base + ".TAB", TableRecord::kSize);
    for (std::size_t i = 0; i < file.count(); ++i) {
        const ByteSpan r = file.record(i);
        bool match = true;
        for (int k = 0; k < n && match; ++k) {
            const auto raw = GetRawString(r, TableRecord::OffsetSTR1(static_cast<std::size_t>(k)),
                                          TableRecord::kTextWidth);
            match = TrimText(raw) + " " == wanted[static_cast<std::size_t>(k)];
        }
        if (match) return TableRecord::decode(r);
    }
    return std::nullopt;
}

void TableInsertOrdered(const std::string& path, TableRecord& rec, Prompt& prompt) {
    FileLock lock(path, prompt);
    TablePad(rec);
    RecordFile file = RecordFile::OpenOrCreate(path, TableRecord::kSize);
    if (rec.ID == 0) {
        std::int32_t top = 0;
        for (std::size_t k = 0; k < file.count(); ++k) {
            top = std::max(top, GetInt32(file.record(k), TableRecord::OffsetID));
        }
        rec.ID = top + 1;
    }
    const Bytes encoded = rec.encode();
    const std::string key =
        PaddedRawString(encoded, TableRecord::OffsetSTR1(0), TableRecord::kTextWidth);
    std::size_t at = file.count();
    for (std::size_t k = 0; k < file.count(); ++k) {
        const std::string other =
            PaddedRawString(file.record(k), TableRecord::OffsetSTR1(0), TableRecord::kTextWidth);
        // std::string compares bytes as unsigned char, as the stored texts require.
        if (other.compare(key) > 0) {
            at = k;
            break;
        }
    }
    file.insertAt(at, encoded);
    file.commit();
    lock.release();
}

bool TableDeleteById(std::int32_t id, const std::string& path, Prompt& prompt) {
    FileLock lock(path, prompt);
    RecordFile file = RecordFile::OpenOrCreate(path, TableRecord::kSize);
    bool found = false;
    for (std::size_t k = 0; k < file.count(); ++k) {
        if (GetInt32(file.record(k), TableRecord::OffsetID) == id) {
            file.eraseAt(k);
            found = true;
            break;
        }
    }
    file.commit();
    lock.release();
    return found;
}

TableStructure TableStructure::FromRecord(const TableRecord& rec) {
    TableStructure s;
    s.searchFields = rec.ID;
    s.name = TrimText(rec.STR2[0]);
    s.title = TrimText(rec.STR2[1]);
    s.columns = TrimText(rec.STR2[2]);
    for (std::size_t k = 0; k < 10; ++k) {
        s.sizes[k] = rec.INTERI[k];
        s.labels[k] = TrimText(rec.STR1[k]);
    }
    return s;
}

TableRecord TableStructure::toRecord() const {
    TableRecord rec;
    TableBlank(rec);
    rec.ID = searchFields;
    rec.STR2[0] = name;
    rec.STR2[1] = title;
    rec.STR2[2] = columns;
    for (std::size_t k = 0; k < 10; ++k) {
        rec.INTERI[k] = sizes[k];
        rec.STR1[k] = labels[k];
    }
    TablePad(rec);
    return rec;
}

}  // namespace veltrano
