#include "prints/wort_register.h"

#include "core/cp1252.h"
#include "core/dates.h"
#include "core/values.h"

namespace veltrano {

namespace {

bool IsBatch(const MovementRecord& r) {
    return r.TIPMOV == "C";
}

// A date field that was never set prints blank rather than as 30/12/1899.
std::string DateOrBlank(double serial) {
    return serial == 0 ? std::string() : FormatDate(serial);
}

struct Heading {
    double x;
    bool grouped;  // under a group heading: starts on the second heading line
    std::vector<const char*> lines;
};

const std::vector<Heading>& Headings() {
    static const std::vector<Heading> h = {
        {2, false, {"Nr.", "Pr.", "riga"}},
        {9, false, {"Data"}},
        {16, false, {"Cotta", "o", "Sanif."}},
        {21, false, {"Numero", "Cotta"}},
        {39, false, {"Tipo di birra prodotta - codice ricetta"}},
        {58.5, true, {"Data", "comunicazione", "preventiva"}},
        {67.5, true, {"Volume", "previsto", "Lt"}},
        {74.5, true, {"Grado", "Plato", "previsto"}},
        {80, true, {"Resa", "percentuale", "media", "%"}},
        {87.5, true, {"Lettura", "iniziale"}},
        {96.5, true, {"Lettura", "finale"}},
        {105.5, true, {"Volume mosto", "ottenuto", "ovvero acqua", "di sanificazione"}},
        {112.5, true, {"Grado", "Plato", "reale"}},
        {120, true, {"Riferimento", "Lotto", "sfuso"}},
        {142.5, false, {"ANNOTAZIONI"}},
    };
    return h;
}

// Group headings and the columns they span (E-units).
struct Group {
    double x, from, to;
    const char* text;
};
const Group kGroups[] = {
    {68.5, 54, 83.5, "Dati dichiarati nella comunicazione preventiva"},
    {92, 83.5, 101, "Dati misuratore"},
    {112, 101, 125, "Dati effettivi di produzione"},
};

// Heading lines, in line heights of the base font below the top of the box.
constexpr double kHeadingLines[] = {0.6, 1.4, 2.1, 2.9, 3.7};

}  // namespace

std::string WortNumber(double x) {
    return FormatNumber(x, -1, 0);
}

std::string WortRegisterBook::firstTitle() const {
    return "MICROBIRRIFICIO (art.35, comma 3 bis, del Testo Unico delle Accise)";
}
std::string WortRegisterBook::secondTitle() const {
    return "REGISTRO DEL MOSTO";
}
std::string WortRegisterBook::coverTitle() const {
    return "COPERTINA REGISTRO DEL MOSTO";
}

double WortRegisterBook::firstRowPosition(RegisterFrame& f) const {
    ReportSurface& s = f.surface();
    const double size = s.font().size;
    const double lh10 = f.lineHeightAt(10);
    const double lh8 = f.lineHeightAt(8);
    s.setFontSize(size);
    return 18 * lh10 + 5.5 * lh8;
}

double WortRegisterBook::headingBoxTop(RegisterFrame& f) const {
    ReportSurface& s = f.surface();
    const double size = s.font().size;
    const double lh10 = f.lineHeightAt(10);
    const double lh8 = f.lineHeightAt(8);
    s.setFontSize(size);
    // Just below the "DATA: " line of per-day books, which stands at 18 lines.
    return 18 * lh10 + 0.3 * lh8;
}

std::vector<double> WortRegisterBook::columnSeparators() const {
    return {4, 14, 18, 24, 54, 63, 71, 77, 83.5, 92, 101, 110, 115, 125};
}

void WortRegisterBook::addToOpening(const MovementRecord& rec, Totals& opening) {
    if (IsBatch(rec)) opening[0] += Rounded(rec.LITRII, 5);
}

void WortRegisterBook::printRow(RegisterFrame& f, const MovementRecord& rec, int progressive,
                                Totals& page) {
    ReportSurface& s = f.surface();
    f.center(std::to_string(progressive), 2);
    f.center(FormatDate(rec.DATMOV), 9);
    f.center(rec.TIPMOV, 16);
    if (IsBatch(rec)) {
        f.centerFitted(rec.NUMDOC, 21, 6);
        f.centerFitted(rec.TBIRRA, 39, 30);
        f.center(DateOrBlank(rec.DATPRE), 58.5);
        f.center(WortNumber(rec.LITPRE), 67.5);
        f.center(WortNumber(rec.GRAPRE), 74.5);
        f.center(WortNumber(rec.RESPRE), 80);
    } else {
        f.centerFitted("Sanificazione", 39, 30);
    }
    f.center(FormatNumber(rec.INIZIO, -1, -1), 87.5);
    f.center(FormatNumber(rec.FINALE, -1, -1), 96.5);
    if (IsBatch(rec)) {
        f.rightAt(WortNumber(rec.LITRII), 109.5);
        f.center(WortNumber(rec.GRAREA), 112.5);
        f.centerFitted(rec.LMOSTO, 120, 10);
        page[0] += Rounded(rec.LITRII, 5);
    } else {
        // Water used for the sanitisation: shown, never added.
        s.setItalic(true);
        f.rightAt("(" + WortNumber(rec.LITRII) + ")", 109.5);
        s.setItalic(false);
    }
    f.centerFitted(Utf8Left(rec.ANNOTA, 80), 143.5, 35);
}

void WortRegisterBook::printColumnHeadings(RegisterFrame& f) {
    ReportSurface& s = f.surface();
    const double lh = f.lh();
    const double top = headingBoxTop(f);
    const double bottom = firstRowPosition(f);
    s.setBold(false);
    s.setItalic(false);
    s.setFontSize(6);
    for (const Heading& h : Headings()) {
        std::size_t line = h.grouped ? 1 : 0;
        for (const char* text : h.lines) {
            if (line >= std::size(kHeadingLines)) break;
            s.setY(top + kHeadingLines[line++] * lh);
            f.center(text, h.x);
        }
    }
    s.setY(top + kHeadingLines[0] * lh);
    for (const Group& g : kGroups)
        f.center(g.text, g.x);
    s.rectangle(f.left(), top, f.right(), bottom);
    const double groupRule = top + 0.85 * lh;
    for (const Group& g : kGroups)
        s.line(f.x(g.from), groupRule, f.x(g.to), groupRule);
    for (double sep : columnSeparators()) {
        bool inGroup = false;
        for (const Group& g : kGroups)
            inGroup = inGroup || (sep > g.from && sep < g.to);
        s.line(f.x(sep), inGroup ? groupRule : top, f.x(sep), bottom);
    }
    s.setFontSize(baseFontSize());
}

namespace {
void TotalLine(RegisterFrame& f, const std::string& label, double litres) {
    f.rightAt(label, 98.5);
    f.rightAt(WortNumber(litres), 109.5);
}
}  // namespace

void WortRegisterBook::printDayTotal(RegisterFrame& f, const Totals& day) {
    TotalLine(f, "TOTALE LITRI DI MOSTO DEL GIORNO", day[0]);
}

void WortRegisterBook::printPreviousDayTotal(RegisterFrame& f, const Totals& running) {
    TotalLine(f, "TOTALE MOSTO AL GIORNO PRECEDENTE", running[0]);
}

void WortRegisterBook::printAtDayTotal(RegisterFrame& f, const Totals& running, double day) {
    TotalLine(f, "TOTALE MOSTO AL " + FormatDate(day), running[0]);
}

void WortRegisterBook::printCarryIn(RegisterFrame& f, const Totals& running) {
    f.center("RIPORTI", 9);
    f.rightAt(WortNumber(running[0]), 109.5);
}

void WortRegisterBook::printCarryOut(RegisterFrame& f, const Totals& running) {
    TotalLine(f, "TOTALE LITRI DI MOSTO DA RIPORTARE", running[0]);
}

}  // namespace veltrano
