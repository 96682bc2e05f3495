#pragma once

#include <string>
#include <vector>

#include "core/prompt.h"
#include "registers/movement.h"

namespace veltrano {

// A plausible year of a small brewhouse's wort register: about two batches a
// week of 1,000 litres planned, with real meter readings that run on through
// the year, a sanitisation after every few batches, the lots of the year and
// the preventive communication sent two days earlier. Deterministic. In the
// order the ordered insert leaves them (date, then meter).
std::vector<MovementRecord> DemoWortYear(int year);

// Writes DemoWortYear(year) into the wort year file `path` through the
// ordered insert, as the entry windows do.
void WriteDemoWortYear(const std::string& path, int year, Prompt& prompt);

// `count` batches and sanitisations spread over the year, written as a whole
// file (for benchmarks and large layouts). Same shape as the demo year.
void WriteSyntheticWortYear(const std::string& path, int year, int count);

}  // namespace veltrano
