#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/bytes.h"
#include "core/file_io.h"
#include "core/prompt.h"

namespace veltrano {

struct Folders;

// The 5304-byte record of every settings file and reference table. Texts are held
// as UTF-8 and stored as Windows-1252.
struct TableRecord {
    static constexpr std::size_t kSize = 5304;
    static constexpr std::size_t kTextWidth = 250;
    static constexpr std::size_t kSlots = 10;

    std::int32_t ID = 0;
    std::array<std::string, kSlots> STR1;
    std::array<std::string, kSlots> STR2;
    std::array<std::int32_t, kSlots> INTERI{};
    std::array<double, kSlots> REALI1{};
    std::array<double, kSlots> REALI2{};
    std::array<double, kSlots> REALI3{};

    static constexpr std::size_t OffsetID = 0;
    static constexpr std::size_t OffsetSTR1(std::size_t k) { return 4 + 251 * k; }
    static constexpr std::size_t OffsetSTR2(std::size_t k) { return 2514 + 251 * k; }
    static constexpr std::size_t OffsetINTERI(std::size_t k) { return 5024 + 4 * k; }
    static constexpr std::size_t OffsetREALI1(std::size_t k) { return 5064 + 8 * k; }
    static constexpr std::size_t OffsetREALI2(std::size_t k) { return 5144 + 8 * k; }
    static constexpr std::size_t OffsetREALI3(std::size_t k) { return 5224 + 8 * k; }

    // Bytes 0..5303 as stored. Texts longer than 250 characters are cut.
    Bytes encode() const;
    void encodeInto(MutableByteSpan out) const;
    // Reads a stored record (exactly kSize bytes); texts keep their stored form.
    static TableRecord decode(ByteSpan in);

    friend bool operator==(const TableRecord&, const TableRecord&) = default;
};

void TableBlank(TableRecord& rec);
void TableTrim(TableRecord& rec);
void TablePad(TableRecord& rec);

// The first record of path with that ID, padded; the file is created empty when
// missing.
std::optional<TableRecord> TableFindById(std::int32_t id, const std::string& path);

// The entry of the code table whose search fields equal those of rec (trimmed
// comparison). "STRUTTURA DEL FILE MANCANTE" when the structure file is missing
// or empty.
std::optional<TableRecord> TableKeyExists(const TableRecord& rec, const std::string& tableName,
                                          const Folders& folders, Prompt& prompt);

// Locked insert in STR1[0] order after equal keys; ID 0 becomes 1 + the largest.
// rec comes back padded, with its ID.
void TableInsertOrdered(const std::string& path, TableRecord& rec, Prompt& prompt);
// Locked delete of the first record with that ID; false when there is none.
bool TableDeleteById(std::int32_t id, const std::string& path, Prompt& prompt);

// The structure file of a code table: search fields, title, columns, sizes, labels.
struct TableStructure {
    int searchFields = 0;                // ID
    std::string name;                    // STR2[0]
    std::string title;                   // STR2[1]
    std::string columns;                 // STR2[2], ";"-separated
    std::array<int, 10> sizes{};         // INTERI[k]
    std::array<std::string, 10> labels;  // STR1[k]

    static TableStructure FromRecord(const TableRecord& rec);  // rec trimmed
    TableRecord toRecord() const;
};
// The structure of DATI_GEN/<name>.STR; nullopt when missing or empty.
std::optional<TableStructure> ReadTableStructure(const Folders& folders, const std::string& name);

}  // namespace veltrano
