#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "prints/register_frame.h"

namespace veltrano {

struct Folders;

// The company data a register dialog needs: the heading block and the
// supervising customs office (UFFDO1), trimmed.
struct PrintCompany {
    CompanyBlock block;
    std::string UFFDO1;
};

// One control of the print dialog, by the name of what it fills.
struct PrintDialogField {
    std::string name;
    std::string caption;
    enum class Kind { Date, Choice, Integer, Text, Display, Check } kind = Kind::Text;
    int maxLength = 0;
    std::vector<std::string> choices;
};

// The behaviour of a register's print dialog (TFSTAREGCARSCA and the forms of
// the other registers), without widgets: defaults, visibility, checks, the
// settings file and the run of the report. The caller shows the document it
// produces in the preview.
class RegisterPrintDialog {
public:
    // Runs the report: gets the request and answers the document drawn.
    using Runner = std::function<void(const PrintRequest&)>;

    RegisterPrintDialog(const Folders& folders, std::string registerTitle,
                        std::string settingsExtension, Runner runner);

    // tag 1: per day, 2: per period. `today` is a whole day.
    void open(int tag, double today, const PrintCompany& company);
    std::string caption() const;
    void setRunner(Runner runner) { runner_ = std::move(runner); }

    const std::vector<PrintDialogField>& fields() const { return fields_; }
    std::string text(const std::string& field) const;
    bool visible(const std::string& field) const;
    void type(const std::string& field, const std::string& text);
    // Exit check of a field; false with the focus moved (takeFocus).
    bool leave(const std::string& field);
    // Every check in order; the first failure moves the focus.
    bool reachConfirm();
    // "&CONFERMA": settings written, then the report runs. Ignored while a
    // report runs. False when a check failed.
    bool confirm();
    std::optional<std::string> takeFocus();
    bool running() const { return running_; }
    // The company data given to open().
    const PrintCompany& company() const { return company_; }

    // What confirm() hands to the runner (after the checks passed).
    PrintRequest request() const;
    int days() const;  // "Alla data" - "Dalla data" + 1

private:
    void applyVisibility();
    bool datesValid() const;
    void updateSheetsText();
    void set(const std::string& f, const std::string& t) { texts_[f] = t; }
    int choice() const;

    const Folders& folders_;
    std::string title_;
    std::string extension_;
    Runner runner_;
    int tag_ = 2;
    std::vector<PrintDialogField> fields_;
    std::map<std::string, std::string> texts_;
    std::map<std::string, bool> visible_;
    std::optional<std::string> focus_;
    bool running_ = false;
    PrintCompany company_;
};

// "<code> di <description>" of the customs office in code table TA03, or
// nothing when the code is empty or not in the table.
std::optional<std::string> CustomsOfficeProposal(const Folders& folders, const std::string& code);

// The financial year a register proposes: the current year, or the next in
// November and December.
int DefaultFinancialYear(double today);

}  // namespace veltrano
