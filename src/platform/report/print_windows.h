#pragma once

#include <string>

#include "prints/print_dialog.h"

class QWidget;

namespace veltrano {

struct Folders;

// Entry points for the main menu. "Stampa il Registro del Mosto x GIORNO" opens
// the wort print window with tag 1, "... x PERIODO" with tag 2; the report runs
// into the preview. Returns whether the user confirmed.
bool OpenWortPrintWindow(QWidget* parent, const Folders& folders, int tag, double today,
                         const PrintCompany& company);

// "Imposta la stampante di Default".
bool OpenDefaultPrinterWindow(QWidget* parent, const Folders& folders);

}  // namespace veltrano
