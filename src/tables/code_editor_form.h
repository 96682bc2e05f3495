#pragma once

#include <optional>

#include "tables/entry_form.h"

namespace veltrano {

// TFCODICI, the code editor of the two-field code tables (TA03, TA05C): LE1 the
// code (field 0, upper case), LE2 field 1. The table and insertion mode come
// from the mode ("TA03", "TA03:I"); the window is made anew for each opening.
class CodeEditorForm : public TableEntryForm {
public:
    CodeEditorForm(Session& session, UserDialogs& dialogs, const std::string& mode);

    const std::string& table() const { return table_; }
    bool insertion() const { return insertion_; }
    const std::optional<TableStructure>& structure() const { return structure_; }

private:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;
    void onPress(const std::string& button) override;

    void clear();
    std::string tablePath() const;
    TableRecord keyRecord() const;

    std::string table_;
    bool insertion_ = false;
    std::optional<TableStructure> structure_;
};

}  // namespace veltrano
