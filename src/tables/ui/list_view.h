#pragma once

#include <QDialog>

#include "tables/list_file.h"

class QTreeWidget;
class QPushButton;

namespace veltrano {

class ReportViewer;
class TextMetrics;

// TFLISTVIEW: the list of a code table, or any list of the same file format (the
// movement pickers). Columns as wide as their width + 2 letters "W" in Courier
// New 9 points; a click on a header sorts by that column; Enter, a double click
// or "&OK" answer the selected row's number, Escape or "&Abbandona" -1; "&Stampa"
// prints the list (when a report viewer is given).
class ListView : public QDialog {
    Q_OBJECT
public:
    ListView(ListModel& model, QWidget* parent = nullptr, const TextMetrics* metrics = nullptr,
             ReportViewer* viewer = nullptr);

    // Runs modally; the chosen number or -1.
    int run();
    QTreeWidget* tree() const { return tree_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void fill();
    void choose();
    void print();

    ListModel& model_;
    const TextMetrics* metrics_;
    ReportViewer* viewer_;
    QTreeWidget* tree_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* abandon_ = nullptr;
    QPushButton* print_ = nullptr;
    bool filling_ = false;
};

}  // namespace veltrano
