#pragma once

#include <string>
#include <variant>
#include <vector>

#include "core/folders.h"
#include "core/prompt.h"
#include "core/table_record.h"

namespace veltrano {

// A CSV file read for a code table: the records to store, in file order, or
// the reason it cannot be used.
struct CsvRead {
    std::vector<TableRecord> records;
    std::string error;  // Italian, empty when the file was read completely
    bool ok() const { return error.empty(); }
};

// Reads the lines of a code-table CSV: a line that is empty or starts with a
// control character, a blank or "!" is skipped; every other line is cut at ";"
// into its first ten fields (missing fields are empty); in the third and fourth
// an empty value or a single blank becomes "N" and "X" becomes "S". The text is
// Windows-1252, or UTF-8 when it starts with the UTF-8 mark or is valid UTF-8
// with letters beyond ASCII. A field longer than 250 characters, or a control
// character inside a line, makes the whole file unusable.
CsvRead ParseTableCsv(const std::string& bytes, const std::string& table);

// "&Importa CSV": DATI_GEN/<table>.CSV replaces DATI_GEN/<table>.TAB, the IDs
// 1, 2, 3... in file order, the entries in STR1[0] order. The table is replaced
// only once the file was read completely: a missing or unusable file leaves it
// as it was. Returns the error shown, or empty with the number of entries.
CsvRead ImportTableCsv(const Folders& folders, const std::string& table, Prompt& prompt);

}  // namespace veltrano
