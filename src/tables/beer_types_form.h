#pragma once

#include <functional>
#include <vector>

#include "tables/entry_form.h"

namespace veltrano {

std::string BeerTypesPath(const Folders& folders);                // DATI_GEN/PRAZ.TAB
std::string RecipePath(const Folders& folders, std::int32_t id);  // DATI_GEN/<ID>.RCT
std::string RecipeWorkingListPath(const Folders& folders);        // temporary RICETTA.APP

// The recipe of a beer type as saved: one record per raw material, REALI1[0] the
// quantity per brewing batch. Empty when there is no recipe file.
std::vector<TableRecord> ReadRecipe(const Folders& folders, std::int32_t beerTypeId);

// A quantity cell as typed: digits and one "," ("." is taken as ","), nothing
// more once the cell holds more than 12 characters.
std::string FilterQuantityText(const std::string& before, const std::string& typed);

// TFPRODAZ, "Tipi di birra prodotti": LE0 the beer type, R10 the average yield,
// R11 the theoretical degrees Plato, and the recipe grid STGRID over the working
// list RICETTA.APP (one row per raw material, only the quantity typed into).
class BeerTypesForm : public TableEntryForm {
public:
    BeerTypesForm(Session& session, UserDialogs& dialogs);

    // The grid: one row per record of the working list.
    std::size_t gridRows() const { return working_.size(); }
    std::string materialName(std::size_t row) const;
    std::string quantityText(std::size_t row) const { return cells_.at(row); }
    double quantity(std::size_t row) const { return working_.at(row).REALI1[0]; }
    // The user changed a quantity cell: the accepted text, stored at once.
    std::string typeQuantity(std::size_t row, const std::string& text);
    // The focus entered the grid: false (focus on LE0) while the beer type is empty.
    bool enterGrid();
    // The row the cursor is put on after a recipe was loaded (once).
    std::optional<std::size_t> takeGridCursor();
    // Grows whenever the grid's rows or texts change other than by typing.
    unsigned gridRevision() const { return gridRevision_; }

private:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;
    void onPress(const std::string& button) override;

    void clear();
    void lookUp();
    void loadRecipe(const TableRecord& entry);
    void writeWorkingList() const;
    void fillCells(bool stars);

    bool insertion_ = false;
    std::vector<TableRecord> working_;
    std::vector<std::string> cells_;
    std::optional<std::int32_t> loadedId_;
    std::optional<std::size_t> gridCursor_;
    unsigned gridRevision_ = 0;
};

}  // namespace veltrano
