#pragma once

#include "prints/report_surface.h"
#include "tables/list_file.h"

namespace veltrano {

// How the list print lays out the page.
struct ListPrintLayout {
    Orientation orientation = Orientation::Portrait;
    double fontSize = 12;
};

// Portrait when the list is narrower than 91 characters (columns plus one
// separator each), landscape otherwise; Courier New 12, or the largest size from
// 13 down to 3 points at which the list fits the page.
ListPrintLayout ChooseListLayout(const ListModel& list, ReportSurface& surface);

// "&Stampa" of the list window: the rows in their shown order, centred, with
// "Pagina n" at the top right, the title centred on line 3, the column captions
// between rules on lines 5 and 7 (a vertical rule before each column), and one
// row per line from line 8; a new page when the page's lines less 10 are used.
void PrintList(const ListModel& list, ReportSurface& surface);

}  // namespace veltrano
