#pragma once

#include <optional>
#include <string>
#include <vector>

#include "registers/movement.h"

namespace veltrano {

struct Folders;

// The settings of a register book (DATI_GEN/PROT.CTT, PROT.CND, PROT.MPR): one
// table record, rewritten whole on every confirmation.
struct BookSettings {
    std::string authorisation;  // STR1[0], ST12500
    std::string office;         // STR1[1], ST12501
    std::string protocol;       // STR1[2], ST12502
    int financialYear = 0;      // INTERI[0], INTERI0
    int protocolLine = 0;       // INTERI[2], INTERI2
    friend bool operator==(const BookSettings&, const BookSettings&) = default;
};

std::string BookSettingsPath(const Folders& folders, const std::string& extension);
// nullopt when the file is missing or holds no record.
std::optional<BookSettings> ReadBookSettings(const Folders& folders, const std::string& extension);
// Whole-file replacement; other slots blank or 0, texts padded to 250.
void WriteBookSettings(const Folders& folders, const std::string& extension,
                       const BookSettings& settings);

// DATI_GEN/STAMPANTE.TXT: its first line names the default printer of reports.
std::string PrinterFilePath(const Folders& folders);
// The first line (without line end); nullopt when the file is missing,
// unreadable or empty (the system's default printer then stays).
std::optional<std::string> ReadPrinterName(const Folders& folders);
void WritePrinterName(const Folders& folders, const std::string& name);

// The records of a year file, trimmed, in file order; empty when the file is
// missing. Readers neither lock nor create the file.
std::vector<MovementRecord> LoadYearRecords(const Folders& folders, int year,
                                            const std::string& extension);

}  // namespace veltrano
