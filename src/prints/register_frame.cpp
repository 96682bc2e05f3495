#include "prints/register_frame.h"

#include <cmath>
#include <utility>

#include "core/dates.h"
#include "core/values.h"

namespace veltrano {

namespace {
constexpr const char* kFont = "TIMES NEW ROMAN";
double Day(double serial) {
    return Rounded(serial, 0);
}
// Quantities are added with 5 decimals at most; rounding each sum keeps binary
// leftovers from piling up over a year of rows.
void AddInto(Totals& running, const Totals& part) {
    for (std::size_t k = 0; k < running.size() && k < part.size(); ++k)
        running[k] = Rounded(running[k] + part[k], 5);
}
}  // namespace

std::vector<const MovementRecord*> RecordsOfDay(const std::vector<MovementRecord>& records,
                                                double day) {
    std::vector<const MovementRecord*> out;
    for (const auto& r : records)
        if (Day(r.DATMOV) == day) out.push_back(&r);
    return out;
}

RegisterFrame::RegisterFrame(ReportSurface& surface, RegisterBook& book, CompanyBlock company)
    : s_(surface), book_(book), company_(std::move(company)) {}

double RegisterFrame::lineHeightAt(double size) {
    s_.setFontSize(size);
    return s_.lineHeight();
}

void RegisterFrame::setRowFont() {
    s_.setFontName(kFont);
    s_.setFontSize(book_.rowFontSize());
    s_.setBold(false);
    s_.setItalic(false);
    s_.setFontRotation(0);
}

void RegisterFrame::center(const std::string& text, double xE) {
    s_.printCenter(text, x(xE));
}
void RegisterFrame::rightAt(const std::string& text, double xE) {
    s_.printRight(text, x(xE));
}

double RegisterFrame::fittedSize(const std::string& text, double wE) {
    const double row = s_.font().size;
    const double limit = wE * e_;
    double size = row - 0.5;
    for (; size >= 5; size -= 0.5) {
        s_.setFontSize(size);
        if (s_.textWidth(text) <= limit) break;
    }
    if (size < 5) size = 5;
    s_.setFontSize(row);
    return size;
}

void RegisterFrame::centerFitted(const std::string& text, double xE, double wE) {
    const double row = s_.font().size;
    s_.setFontSize(fittedSize(text, wE));
    s_.printCenter(text, x(xE));
    s_.setFontSize(row);
}

void RegisterFrame::rightFitted(const std::string& text, double xE, double wE) {
    const double row = s_.font().size;
    s_.setFontSize(fittedSize(text, wE));
    s_.printRight(text, x(xE));
    s_.setFontSize(row);
}

void RegisterFrame::rule(double y) {
    s_.line(left_, y, right_, y);
}

void RegisterFrame::openPage() {
    s_.setFontName(kFont);
    s_.setFontSize(book_.baseFontSize());
    s_.setBold(false);
    s_.setItalic(false);
    s_.setFontRotation(0);
    e_ = s_.textWidth("E");
    lh_ = s_.lineHeight();
    left_ = s_.pageWidth() / 2 - book_.halfWidth() * e_;
    right_ = s_.pageWidth() / 2 + book_.halfWidth() * e_;
    bodyLimit_ = s_.pageHeight() - 8 * lh_;
    s_.setY(book_.firstRowPosition(*this));
    setRowFont();
}

void RegisterFrame::newPage() {
    s_.newPage();
}

void RegisterFrame::companyBlocks(double rilasciatoY, double lh10) {
    s_.setFontSize(10);
    s_.setBold(false);
    s_.setY(rilasciatoY);
    s_.printAt(x(1), rilasciatoY, "RILASCIATO DALL'UFFICIO:");
    s_.printAt(centre() + 2 * e_, rilasciatoY, "ALLA DITTA:");
    s_.setBold(true);
    const double xl = x(0.5);
    s_.printAt(xl, rilasciatoY + lh10, req_.office);
    s_.printAt(xl, rilasciatoY + 3 * lh10, req_.protocol);
    if (!req_.authorisation.empty())
        s_.printAt(xl, rilasciatoY + 4 * lh10, "autorizzazione: " + req_.authorisation);
    const double xr = centre() + 1.3 * e_;
    std::string address = company_.INDIR1;
    if (!company_.addressComplement.empty()) address += ", " + company_.addressComplement;
    s_.printAt(xr, rilasciatoY + lh10, company_.DENOM1);
    s_.printAt(xr, rilasciatoY + 2 * lh10, address);
    s_.printAt(xr, rilasciatoY + 3 * lh10, company_.C_A_P1 + " " + company_.CITTA1);
    s_.printAt(xr, rilasciatoY + 4 * lh10,
               "Partita IVA" + company_.PARIVA + " - Codice Accisa: " + company_.CACCI1);
    s_.setBold(false);
    const double top = rilasciatoY + lh10 / 5, bottom = rilasciatoY + 4.3 * lh10;
    s_.rectangle(left_, top, centre(), bottom);
    s_.rectangle(centre(), top, right_, bottom);
}

void RegisterFrame::titlesAndCompany() {
    s_.setFontName(kFont);
    s_.setBold(true);
    const double lh14 = lineHeightAt(14);
    s_.setY(3 * lh14);
    s_.printCenter(book_.firstTitle(), centre());
    s_.setY(4 * lh14);
    s_.printCenter(book_.secondTitle(), centre());
    s_.setBold(false);
    const double lh10 = lineHeightAt(10);
    const double pageY = 4 * lh14 + 6 * lh10;
    ++pageCounter_;
    if (numbering_) {
        std::string text = "Pagina " + std::to_string(pageCounter_);
        if (mode_ == Mode::Headings) text += sheetsText_;
        s_.setY(pageY);
        s_.printRight(text, right_ - e_);
        outcome_.lastPageNumber = pageCounter_;
    }
    companyBlocks(pageY + 2 * lh10, lh10);
}

void RegisterFrame::closePage(double day) {
    const TextFont saved = s_.font();
    const double y = s_.y();
    if (mode_ == Mode::Plain || mode_ == Mode::Headings) titlesAndCompany();
    if (mode_ == Mode::Validated && !req_.protocol.empty() && req_.protocolLine > 0) {
        s_.setBold(false);
        const double lh8 = lineHeightAt(8);
        s_.printAt(x(0.5), req_.protocolLine * lh8, req_.protocol);
    }
    if (mode_ != Mode::Headings || req_.manual) {
        setRowFont();
        s_.setFontSize(book_.baseFontSize());
        book_.printColumnHeadings(*this);
    }
    if (mode_ != Mode::Headings && req_.perDay && day > 0) {
        s_.setBold(true);
        const double lh10 = lineHeightAt(10);
        s_.setY(18 * lh10);
        s_.printCenter("DATA: " + FormatDate(day), centre());
        s_.setBold(false);
    }
    if (mode_ == Mode::Headings && req_.manual) manualGrid();
    s_.setFontName(saved.name);
    s_.setFontSize(saved.size);
    s_.setBold(saved.bold);
    s_.setItalic(saved.italic);
    s_.setFontRotation(saved.rotation);
    s_.setY(y);
    ++outcome_.pages;
}

void RegisterFrame::manualGrid() {
    // Ruled from the bottom of the heading box (the first row position) down.
    s_.setFontSize(book_.baseFontSize());
    const double top = book_.firstRowPosition(*this);
    const double bottom = s_.pageHeight() - 3.2 * lh_;
    const double step = 1.6 * lh_;
    double last = top;
    for (double y = top; y <= bottom + 1e-9; y += step) {
        rule(y);
        last = y;
    }
    for (double sep : book_.columnSeparators())
        s_.line(x(sep), top, x(sep), last);
    s_.line(left_, top, left_, last);
    s_.line(right_, top, right_, last);
}

void RegisterFrame::cover() {
    s_.setFontName(kFont);
    s_.setBold(true);
    const double lh16 = lineHeightAt(16);
    s_.setY(4 * lh16);
    s_.printCenter(book_.firstTitle(), centre());
    s_.setY(10 * lh16);
    s_.printCenter(book_.coverTitle(), centre());
    s_.setBold(false);
    const double lh10 = lineHeightAt(10);
    const double ril = 10 * lh16 + 5 * lh10;
    companyBlocks(ril, lh10);
    s_.setFontSize(10);
    s_.setBold(false);
    const std::string n = std::to_string(req_.sheets);
    double y = ril + 8 * lh10;
    s_.setY(y);
    s_.printCenter("Il presente registro si compone di numero " + n +
                       " fogli numerati dal n°1 al n° " + n + ", esclusa questa copertina.",
                   centre());
    y += 4 * lh10;
    s_.setY(y);
    s_.printCenter("Valido per l'esercizio finanziario " + std::to_string(req_.financialYear) + ".",
                   centre());
    y += 4 * lh10;
    if (!req_.authorisation.empty()) {
        s_.setY(y);
        s_.printCenter("Autorizzazione alla tenuta informatizzata: " + req_.authorisation,
                       centre());
    }
    y += 4 * lh10;
    s_.setY(y);
    s_.printCenter("Luogo e data _________________________________________", centre());
    ++outcome_.pages;
    newPage();
}

void RegisterFrame::headingsOnly() {
    mode_ = Mode::Headings;
    openPage();  // measures the E-unit and the edges for the cover
    cover();
    for (int k = 0; k < req_.sheets; ++k) {
        if (k > 0) newPage();
        openPage();
        closePage(0);
    }
}

void RegisterFrame::row(const MovementRecord& rec, Totals& page) {
    const double y = s_.y() + lh_;
    s_.setY(y);
    setRowFont();
    book_.printRow(*this, rec, ++progressive_, page);
    setRowFont();
    s_.setY(y);
    rule(y + lh_ / 4);
    ++outcome_.rows;
}

void RegisterFrame::perDay(const std::vector<MovementRecord>& records, bool firstDayOnly) {
    const std::size_t n = book_.quantityCount();
    Totals running(n, 0.0);
    for (const auto& r : records)
        if (Day(r.DATMOV) < req_.from) book_.addToOpening(r, running);
    bool printed = false;
    for (double day = req_.from; day <= req_.to; day += 1) {
        const auto rows = RecordsOfDay(records, day);
        if (rows.empty()) continue;
        if (printed) newPage();
        printed = true;
        openPage();
        Totals dayTotals(n, 0.0);
        bool first = true;
        for (const MovementRecord* r : rows) {
            if (!first && s_.y() > bodyLimit_) {
                closePage(day);
                newPage();
                openPage();
            }
            first = false;
            row(*r, dayTotals);
        }
        s_.setY(s_.y() + book_.totalsGap() * lh_);
        book_.printDayTotal(*this, dayTotals);
        s_.setY(s_.y() + 1.3 * lh_);
        book_.printPreviousDayTotal(*this, running);
        AddInto(running, dayTotals);
        s_.setY(s_.y() + 1.3 * lh_);
        book_.printAtDayTotal(*this, running, day);
        setRowFont();
        book_.printDayExtra(*this, day);
        setRowFont();
        closePage(day);
        if (firstDayOnly) break;
    }
}

void RegisterFrame::perPeriod(const std::vector<MovementRecord>& records) {
    const std::size_t n = book_.quantityCount();
    Totals running(n, 0.0);
    std::vector<const MovementRecord*> rows;
    for (const auto& r : records) {
        if (Day(r.DATMOV) < req_.from) book_.addToOpening(r, running);
        if (r.DATMOV >= req_.from - 0.1 && r.DATMOV <= req_.to + 0.1) rows.push_back(&r);
    }
    if (rows.empty()) return;
    openPage();
    auto carryIn = [&] {
        const double y = s_.y() + lh_;
        s_.setY(y);
        setRowFont();
        book_.printCarryIn(*this, running);
        setRowFont();
        s_.setY(y);
        s_.line(left_, y + lh_ / 5, right_, y + lh_ / 5);
    };
    auto carryOut = [&](Totals& page) {
        AddInto(running, page);
        std::fill(page.begin(), page.end(), 0.0);
        const double y = s_.y() + book_.totalsGap() * lh_;
        s_.setY(y);
        setRowFont();
        book_.printCarryOut(*this, running);
        setRowFont();
        s_.setY(y);
    };
    carryIn();
    Totals page(n, 0.0);
    bool first = true;
    for (const MovementRecord* r : rows) {
        if (!first && s_.y() > bodyLimit_) {
            carryOut(page);
            closePage(0);
            newPage();
            openPage();
            carryIn();
        }
        first = false;
        row(*r, page);
    }
    carryOut(page);
    book_.printClosingLines(*this, Day(rows.back()->DATMOV));
    setRowFont();
    closePage(0);
}

void RegisterFrame::movements(const std::vector<MovementRecord>& records, bool firstDayOnly) {
    progressive_ = 0;
    for (const auto& r : records)
        if (Day(r.DATMOV) < req_.from) ++progressive_;
    book_.begin(*this);
    if (req_.perDay)
        perDay(records, firstDayOnly);
    else
        perPeriod(records);
}

PrintOutcome RegisterFrame::run(const PrintRequest& request, const YearLoader& load) {
    req_ = request;
    req_.from = Day(req_.from);
    req_.to = Day(req_.to);
    outcome_ = {};
    s_.setOrientation(Orientation::Landscape);
    s_.setPenColor(0x000000);
    s_.setPenStyle(PenStyle::Solid);
    s_.setPenWidth(0);
    numbering_ = req_.firstPage > 0;
    pageCounter_ = req_.firstPage - 1;
    sheetsText_.clear();
    switch (req_.choice) {
        case PrintChoice::PlainSheets:
            mode_ = Mode::Plain;
            movements(load(YearOf(req_.from)), false);
            break;
        case PrintChoice::ValidatedSheets:
            mode_ = Mode::Validated;
            movements(load(YearOf(req_.from)), false);
            break;
        case PrintChoice::HeadingsOnly:
            sheetsText_ = req_.sheetsText;
            headingsOnly();
            break;
        case PrintChoice::Test: {
            sheetsText_ = req_.sheetsText;
            headingsOnly();
            // Then a sample of the register on plain sheets, numbered from 1.
            std::vector<MovementRecord> records = load(YearOf(req_.from));
            if (records.empty()) {
                const int year = YearOf(req_.from) - 1;
                req_.from = EncodeDate(year, 1, 1);
                req_.to = EncodeDate(year, 12, 31);
                records = load(year);
            }
            mode_ = Mode::Plain;
            sheetsText_.clear();
            numbering_ = true;
            pageCounter_ = 0;
            newPage();
            movements(records, req_.perDay);
            break;
        }
    }
    return outcome_;
}

}  // namespace veltrano
