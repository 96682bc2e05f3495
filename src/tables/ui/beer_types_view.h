#pragma once

#include "shell/ui/form_view.h"
#include "tables/beer_types_form.h"

class QTableWidget;
class QTimer;

namespace veltrano {

// TFPRODAZ: the generic form view of the beer-types window with the recipe grid
// STGRID under its fields. Only the quantity column is typed into, directly in
// the cell: digits, "," ("." is taken as ","), backspace; Enter moves to the
// next row, from the last row to "&CONFERMA". Every change is stored at once.
class BeerTypesView : public FormView {
    Q_OBJECT
public:
    BeerTypesView(BeerTypesForm& model, QWidget* parent = nullptr);
    QTableWidget* grid() const { return grid_; }
    // The grid shows the model's rows again when they changed.
    void refreshGrid();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillGrid();
    void styleRows();
    bool gridKey(int key, const QString& text);

    BeerTypesForm& beer_;
    QTableWidget* grid_ = nullptr;
    QTimer* poll_ = nullptr;
    unsigned shownRevision_ = static_cast<unsigned>(-1);
};

}  // namespace veltrano
