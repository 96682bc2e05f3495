#pragma once

#include "prints/register_frame.h"

namespace veltrano {

// The wort register ("REGISTRO DEL MOSTO", form TFSTAREGCARSCA) on the printing
// frame: one row per brewing batch (kind C) or sanitisation (any other kind)
// of <year>.CTT; the litres of wort are its only running quantity.
class WortRegisterBook : public RegisterBook {
public:
    std::string yearExtension() const override { return "CTT"; }
    std::string firstTitle() const override;
    std::string secondTitle() const override;
    std::string coverTitle() const override;
    double baseFontSize() const override { return 8; }
    double halfWidth() const override { return 80; }
    double firstRowPosition(RegisterFrame& f) const override;
    double headingBoxTop(RegisterFrame& f) const override;
    std::size_t quantityCount() const override { return 1; }
    double totalsGap() const override { return 1.1; }

    void addToOpening(const MovementRecord& rec, Totals& opening) override;
    void printRow(RegisterFrame& f, const MovementRecord& rec, int progressive,
                  Totals& page) override;
    void printColumnHeadings(RegisterFrame& f) override;
    std::vector<double> columnSeparators() const override;

    void printDayTotal(RegisterFrame& f, const Totals& day) override;
    void printPreviousDayTotal(RegisterFrame& f, const Totals& running) override;
    void printAtDayTotal(RegisterFrame& f, const Totals& running, double day) override;
    void printCarryIn(RegisterFrame& f, const Totals& running) override;
    void printCarryOut(RegisterFrame& f, const Totals& running) override;
};

// Litres and other quantities of the register: Italian notation, as many
// decimals as the value has (up to 5).
std::string WortNumber(double x);

}  // namespace veltrano
