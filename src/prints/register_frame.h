#pragma once

#include <functional>
#include <string>
#include <vector>

#include "prints/report_surface.h"
#include "registers/movement.h"

namespace veltrano {

// The company block of the page heading: fields of the company record, trimmed.
// Filled by the caller from the company data (UTENTE.001).
struct CompanyBlock {
    std::string DENOM1;             // name
    std::string INDIR1;             // address
    std::string addressComplement;  // printed after the address
    std::string C_A_P1;             // postcode
    std::string CITTA1;             // town
    std::string PARIVA;             // VAT number
    std::string CACCI1;             // excise code
};

// The three ways of printing a book, and the test register for the customs.
enum class PrintChoice {
    PlainSheets = 0,      // "Stampa il Registro su fogli non intestati"
    ValidatedSheets = 1,  // "Stampa Solo i MOVIMENTI sui fogli già intestati e vidimati"
    HeadingsOnly = 2,     // "Stampa Solo le INTESTAZIONI per la vidimazione"
    Test = 3,             // headings, then a test register on plain sheets
};

// What the print dialog hands to the frame on confirmation.
struct PrintRequest {
    bool perDay = false;      // menu tag 1 (per day) or 2 (per period)
    double from = 0, to = 0;  // whole days
    PrintChoice choice = PrintChoice::ValidatedSheets;
    int firstPage = 1;          // IDAPAG; 0 = pages not numbered
    int sheets = 1;             // MFOGLI for the headings, 1 otherwise
    std::string sheetsText;     // DIFOGLI: " di " + sheets + " Es. Fin. " + year
    int financialYear = 0;      // INTERI0
    std::string office;         // ST12501
    std::string authorisation;  // ST12500
    std::string protocol;       // ST12502
    int protocolLine = 0;       // INTERI2
    bool manual = false;        // CMANUALE
};

// Running quantities of a register, in its own units and order.
using Totals = std::vector<double>;

class RegisterFrame;

// The parts a register adds to the frame: titles, geometry, columns, rows,
// totals and its own closing lines.
class RegisterBook {
public:
    virtual ~RegisterBook() = default;

    virtual std::string yearExtension() const = 0;  // "CTT", "CND", "MPR"
    virtual std::string firstTitle() const = 0;
    virtual std::string secondTitle() const = 0;
    virtual std::string coverTitle() const = 0;
    virtual double baseFontSize() const = 0;  // E-unit and line height are measured at it
    virtual double rowFontSize() const { return baseFontSize(); }
    virtual double halfWidth() const = 0;  // E-units
    // Absolute position of the first row (the top of the body), measured on the
    // surface with the base font current; must leave the base font current.
    virtual double firstRowPosition(RegisterFrame& f) const = 0;
    // Top of the column-heading box.
    virtual double headingBoxTop(RegisterFrame& f) const = 0;
    virtual std::size_t quantityCount() const = 0;
    // How far below the last row the day-total and carry-out lines stand, in
    // line heights.
    virtual double totalsGap() const { return 1.2; }

    // Called once before the movements, with the records of the year file.
    virtual void begin(RegisterFrame&) {}
    // Adds a record dated before the first printed day to the opening balance.
    virtual void addToOpening(const MovementRecord& rec, Totals& opening) = 0;
    // Prints the row on the current line (the frame has moved the position) and
    // adds its quantities to `page` (the page or day totals).
    virtual void printRow(RegisterFrame& f, const MovementRecord& rec, int progressive,
                          Totals& page) = 0;

    virtual void printColumnHeadings(RegisterFrame& f) = 0;
    // Vertical column separators in E-units from the left edge, for the ruled
    // grid of hand-kept books.
    virtual std::vector<double> columnSeparators() const = 0;

    // Per day, each on the current line.
    virtual void printDayTotal(RegisterFrame& f, const Totals& day) = 0;
    virtual void printPreviousDayTotal(RegisterFrame& f, const Totals& running) = 0;
    virtual void printAtDayTotal(RegisterFrame& f, const Totals& running, double day) = 0;
    virtual void printDayExtra(RegisterFrame&, double /*day*/) {}
    // Per period.
    virtual void printCarryIn(RegisterFrame& f, const Totals& running) = 0;
    virtual void printCarryOut(RegisterFrame& f, const Totals& running) = 0;
    virtual void printClosingLines(RegisterFrame&, double /*lastDate*/) {}
};

// What was printed, for the caller and the tests.
struct PrintOutcome {
    int pages = 0;           // pages drawn on
    int rows = 0;            // movement rows printed
    int lastPageNumber = 0;  // last number printed in a heading (0 when none)
};

// The printing frame: page opening and closing, headings, cover, headings-only
// books, per-day and per-period movements with totals and carry lines.
class RegisterFrame {
public:
    RegisterFrame(ReportSurface& surface, RegisterBook& book, CompanyBlock company);

    // Runs the whole report on the surface. `records` are those of the year file
    // of request.from, in file order (empty when the file is missing).
    // `testRecords` gives the records of a year for the test register.
    using YearLoader = std::function<std::vector<MovementRecord>(int year)>;
    PrintOutcome run(const PrintRequest& request, const YearLoader& load);

    // Geometry of the page being drawn (valid after the page is opened).
    ReportSurface& surface() { return s_; }
    double E() const { return e_; }
    double lh() const { return lh_; }
    double left() const { return left_; }
    double right() const { return right_; }
    double centre() const { return s_.pageWidth() / 2; }
    double x(double eUnits) const { return left_ + eUnits * e_; }
    double bodyLimit() const { return bodyLimit_; }
    const PrintRequest& request() const { return req_; }
    // Line height of the current font after switching to `size` points (the
    // font stays at that size).
    double lineHeightAt(double size);

    // Text printing at the current line.
    void center(const std::string& text, double xE);
    void rightAt(const std::string& text, double xE);
    // The cell is printed at the largest size from 0.5 points below the row font,
    // in steps of 0.5, whose width is at most wE E-units; never below 5 points.
    // The row font is restored afterwards.
    void centerFitted(const std::string& text, double xE, double wE);
    void rightFitted(const std::string& text, double xE, double wE);
    // Font size the fitting rule gives for a text; exposed for tests.
    double fittedSize(const std::string& text, double wE);
    // A thin rule across the table at y.
    void rule(double y);
    void setRowFont();

private:
    enum class Mode { Plain, Validated, Headings };
    void openPage();
    void closePage(double day);  // day 0: not per day
    void newPage();
    void titlesAndCompany();
    void companyBlocks(double rilasciatoY, double lh10);
    void cover();
    void manualGrid();
    void headingsOnly();
    void movements(const std::vector<MovementRecord>& records, bool firstDayOnly);
    void perDay(const std::vector<MovementRecord>& records, bool firstDayOnly);
    void perPeriod(const std::vector<MovementRecord>& records);
    void row(const MovementRecord& rec, Totals& page);

    ReportSurface& s_;
    RegisterBook& book_;
    CompanyBlock company_;
    PrintRequest req_;
    Mode mode_ = Mode::Validated;
    bool numbering_ = false;
    int pageCounter_ = 0;
    std::string sheetsText_;
    int progressive_ = 0;
    double e_ = 0, lh_ = 0, left_ = 0, right_ = 0, bodyLimit_ = 0;
    bool drawnOnPage_ = false;
    PrintOutcome outcome_;
};

// Records of a year file whose date rounds to `day`, in file order.
std::vector<const MovementRecord*> RecordsOfDay(const std::vector<MovementRecord>& records,
                                                double day);

}  // namespace veltrano
