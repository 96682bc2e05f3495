#pragma once

#include "core/folders.h"
#include "core/prompt.h"

namespace veltrano::admin {

// Fills a demo working folder: the folders of an installation and, for `year`,
// a few brewing batches with their raw-material unloads, a sanitisation, hand
// loads, conditionings and sales, written through the ordered insert exactly as
// the program writes them. Does nothing, and answers false, when REGISTRI already
// holds a year file.
bool CreateDemo(const Folders& folders, int year, Prompt& prompt);

}  // namespace veltrano::admin
