#pragma once

#include "core/folders.h"

namespace veltrano {

// Writes the company data and settings of the demo working folder: a small
// microbrewery near Bassano del Grappa under the suspended-duty regime, its
// customs office table TA03, web addresses, rounding, the shared seed of the
// signing settings (external signer, folders under XFIRMA) and the version date.
// Only files that are missing are written, so a demo folder the user has changed
// keeps its changes. Answers how many files were written.
int WriteDemoSettings(const Folders& folders, double today);

}  // namespace veltrano
