#include "tables/list_print.h"

#include <cmath>

#include "core/cp1252.h"

namespace veltrano {
namespace {

constexpr const char* kListFont = "COURIER NEW";

double CharWidth(ReportSurface& surface) {
    return surface.textWidth("W");
}

}  // namespace

ListPrintLayout ChooseListLayout(const ListModel& list, ReportSurface& surface) {
    ListPrintLayout layout;
    const int chars = list.printWidth();
    layout.orientation = chars < 91 ? Orientation::Portrait : Orientation::Landscape;
    surface.setOrientation(layout.orientation);
    surface.setFontName(kListFont);
    surface.setBold(false);
    surface.setItalic(false);
    surface.setFontSize(12);
    const auto fits = [&] { return chars * CharWidth(surface) <= surface.pageWidth(); };
    if (!fits()) {
        for (int size = 13; size >= 3; --size) {
            surface.setFontSize(size);
            layout.fontSize = size;
            if (fits()) break;
        }
    }
    return layout;
}

void PrintList(const ListModel& list, ReportSurface& surface) {
    ChooseListLayout(list, surface);
    const double w = CharWidth(surface);
    const double lh = surface.lineHeight();
    const double tableWidth = list.printWidth() * w;
    const double left = std::max(0.0, (surface.pageWidth() - tableWidth) / 2);
    const double right = left + tableWidth;
    const int linesPerPage =
        std::max(1, static_cast<int>(std::floor(surface.pageHeight() / lh)) - 10);
    const auto lineY = [lh](int n) { return n * lh; };

    std::vector<double> columnX;
    double x = left;
    for (std::size_t c : list.shownColumns()) {
        columnX.push_back(x);
        x += (list.width(c) + 1) * w;
    }

    const auto header = [&] {
        surface.setY(lineY(1));
        surface.printRight("Pagina " + std::to_string(surface.currentPage()),
                           surface.pageWidth() - 2 * w);
        surface.setY(lineY(3));
        surface.printCenter(list.title(), surface.pageWidth() / 2);
        const double top = lineY(5) - lh * 0.75;
        const double bottom = lineY(7) - lh * 0.75;
        surface.line(left, top, right, top);
        surface.line(left, bottom, right, bottom);
        for (std::size_t i = 0; i < columnX.size(); ++i) {
            surface.line(columnX[i], top, columnX[i], bottom);
            const std::size_t c = list.shownColumns()[i];
            surface.printAt(columnX[i] + w / 2, lineY(6),
                            Utf8Left(list.caption(c), static_cast<std::size_t>(list.width(c))));
        }
        surface.line(right, top, right, bottom);
    };

    header();
    int line = 8;
    for (std::size_t r = 0; r < list.rowCount(); ++r) {
        if (line > linesPerPage && line > 8) {
            surface.newPage();
            header();
            line = 8;
        }
        for (std::size_t i = 0; i < columnX.size(); ++i) {
            const std::size_t c = list.shownColumns()[i];
            const std::string text =
                Utf8Left(list.cell(r, c), static_cast<std::size_t>(list.width(c)));
            surface.printAt(columnX[i] + w / 2, lineY(line), text);
        }
        ++line;
    }
}

}  // namespace veltrano
