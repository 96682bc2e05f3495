#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>

#include "admin/record_kinds.h"
#include "core/bytes.h"

namespace veltrano::admin {

// A file or folder the tool cannot work on; the text is for the user, in Italian.
class AdminError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class DumpFormat { Csv, JsonLines };

// The value of one field of a stored record, as the dump shows it: texts trimmed
// and in UTF-8, dates DD/MM/YYYY (empty for 0), numbers with a decimal point.
std::string FieldText(ByteSpan record, const Field& field);

// RFC 4180 quoting: quoted when the value holds a comma, a quote or a line break.
std::string CsvQuote(const std::string& value);
std::string JsonString(const std::string& value);

// Every record of `bytes` (a file of `kind`) to out: a header of the field names
// then one line per record. AdminError when the size is not a multiple of the
// record size.
void DumpRecords(const RecordKind& kind, ByteSpan bytes, DumpFormat format, std::ostream& out,
                 const std::string& pathForMessages);

// Reads path (one read) and dumps it; AdminError for a missing file, a folder, a
// file of unknown kind or a damaged one.
void DumpFile(const std::string& path, DumpFormat format, std::ostream& out);

}  // namespace veltrano::admin
