#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "registers/movement.h"

namespace veltrano {

struct Folders;

// The registers a cancellation works on, by the state letter of the menu entry:
// C wort, P raw materials, p preventive communications, N conditioned beer,
// T unsent tax records, t unsent rectifications.
bool IsCancellationState(char state);
std::string CancellationCaption(char state);
// The year file's extension of a state ("CTT", "MPR", "PRV", "CND", "DER").
std::string CancellationExtension(char state);

// The movements of a period offered for cancellation: one text line per record,
// and the record itself (line k belongs to records[k]).
struct CancellationList {
    char state = 'C';
    int year = 0;
    std::vector<std::string> lines;
    std::vector<MovementRecord> records;
};

// Reads the year file of `to`'s year (created empty when missing) and lists the
// records of the period, newest first (tax records in file order, whatever the
// period).
CancellationList BuildCancellationList(const Folders& folders, char state, double from, double to);

// Deletes the records of the ticked lines, each by its number under the file's
// lock marker. A brewing batch takes its raw-material unloads with it; a deleted
// rectification gives the record it rectified back its unsent state. `after` is
// called after each deletion with the deleted record (the hooks that refresh the
// machine exchange files). Stops at the first error: `deleted` then tells which
// lines were already processed, `error` what went wrong.
struct CancellationOutcome {
    std::vector<std::size_t> deleted;
    std::optional<std::string> error;
};
CancellationOutcome DeleteTickedMovements(const Folders& folders, const CancellationList& list,
                                          const std::vector<bool>& ticked, Prompt& prompt,
                                          const std::function<void(const MovementRecord&)>& after);

// After a rectification was deleted: the record it rectified (NUMMOV = numrif,
// TIPRET "C") gets a blank TIPRET again, and the replacing records of that
// rectification (NUMRIF = numrif, TIPRET "R") are deleted. Under the file's lock.
void RestoreRectifiedTaxRecord(const std::string& path, std::int32_t numrif, Prompt& prompt);

// Open e-ADs of a conditioned year file (the list DACHIUDERE.DAT): one record per
// ARC (NUMDOC), guarantees of repeated e-AD records summed, those with a receipt
// note dropped.
std::vector<MovementRecord> OpenEads(const std::string& conditionedPath);

}  // namespace veltrano
