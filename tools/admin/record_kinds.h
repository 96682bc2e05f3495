#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano::admin {

enum class FieldType { Integer, Double, Date, Text };

// One field of a stored record layout, named as in the code.
struct Field {
    std::string name;
    FieldType type;
    std::size_t offset;
    std::size_t width = 0;  // Text: declared width n of the string[n]
};

// A kind of record file: its record size and the fields of its layout. The
// layout of a movement depends on the register (DATPRE is an amount in the
// conditioned-beer register and a date elsewhere), so a kind is chosen by the
// whole file name.
struct RecordKind {
    std::string description;  // Italian, for messages
    std::size_t recordSize;
    std::vector<Field> fields;
    bool (*matches)(std::string_view upperName);
};

// Every kind the tool knows. A new record file kind is one more entry here.
const std::vector<RecordKind>& RecordKinds();

// The kind of the file named `fileName` (the last path component; compared in
// upper case); nullptr when it is not a record file the tool knows.
const RecordKind* FindRecordKind(std::string_view fileName);

// "<year>.<EXT>" names of the movement year files.
struct YearFileName {
    int year;
    std::string extension;  // upper case, without the dot
};
std::optional<YearFileName> ParseYearFileName(std::string_view fileName);

bool IsRegisterExtension(std::string_view ext);  // CTT CND MPR PRV DER GMP GMS GCN
bool IsMachineExtension(std::string_view ext);   // SND RCV CTS CTR TCH TFR
bool IsStockExtension(std::string_view ext);     // GMP GMS GCN

std::string BaseName(std::string_view path);
std::string ToUpperAscii(std::string_view s);

}  // namespace veltrano::admin
