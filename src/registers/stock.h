#pragma once

#include <optional>
#include <string>
#include <vector>

#include "registers/movement.h"

namespace veltrano {

struct Folders;

// The opening stock of a year: raw materials (<year>.GMP), wort lots not used up
// (<year>.GMS) and conditioned beer by lot and package (<year>.GCN), always
// recomputed from every register year from 2019 to the year before.
struct OpeningStock {
    int year = 0;
    std::vector<MovementRecord> rawMaterials;  // GMP
    std::vector<MovementRecord> wort;          // GMS
    std::vector<MovementRecord> conditioned;   // GCN
    std::vector<std::string> lines;            // the list shown to the user
};

// The first year with registers: stock is counted from here.
inline constexpr int kFirstRegisterYear = 2019;

// The year check of the stock window: nullopt when the year may be computed,
// otherwise the message to show (empty for a year refused without a message).
std::optional<std::string> OpeningStockYearRefusal(int year, int currentYear);
inline constexpr const char* kStockYearNotAllowed =
    "Il calcolo delle giacenze per l'anno indicato non è ancora consentito";

// Reads the year files and computes the stock of `year`. Missing wort and
// conditioned files are skipped; missing raw-materials files are created empty.
// A damaged file raises DamagedFile before anything is written. `regime` is the
// company's excise regime ("S": the conditioned stock is also listed).
OpeningStock ComputeOpeningStock(const Folders& folders, int year, const std::string& regime);

// Replaces the three stock files of the year with the computed records.
void WriteOpeningStock(const Folders& folders, const OpeningStock& stock);

// Container names of the conditioned stock list.
std::string ContainerPluralName(int type);

// Breaks in the continuity of the production meter between two dates (both
// included): one line per wort movement whose starting reading is not the final
// reading of the movement before it.
std::vector<std::string> FindMeterBreaks(const Folders& folders, double fromDate, double toDate);

}  // namespace veltrano
