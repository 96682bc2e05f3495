#pragma once

#include <QtGui/QFont>
#include <string>

#include "prints/report_surface.h"

namespace veltrano {

// The family that stands for a report font name. The registers were designed
// for "TIMES NEW ROMAN" and "COURIER NEW"; Liberation Serif and Liberation Mono
// have the same advance widths, so E-units and column fits come out alike. The
// mapping is explicit: fontconfig aliases differ from machine to machine.
QString ReportFontFamily(const std::string& name);

// Makes sure the Liberation files are known to Qt's font database (they are
// loaded from the Debian paths when the system configuration lacks them).
// Returns false when a mapped family is not available at all.
bool EnsureReportFonts();

// A QFont for a report font at `pointSize` (usually font.size), without hinting or
// kerning so that widths scale linearly and match what was measured.
QFont ReportQFont(const TextFont& font, double pointSize);

}  // namespace veltrano
