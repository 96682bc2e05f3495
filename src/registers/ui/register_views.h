#pragma once

#include "shell/ui/form_view.h"

class QListWidget;
class QPlainTextEdit;
class QTimer;
class QTreeWidget;

namespace veltrano {

class CancellationForm;
class MovementPickerForm;
class StockForm;
class WindowHost;

// TFGIACENZE: the generic view with the list of results RIPORTI as a read-only
// text under the year; the confirm button follows the model's BCONF.
class StockView : public FormView {
    Q_OBJECT
public:
    StockView(StockForm& model, QWidget* parent = nullptr);
    QPlainTextEdit* results() const { return results_; }

private:
    void refresh();
    StockForm& stock_;
    QPlainTextEdit* results_ = nullptr;
    QTimer* poll_ = nullptr;
    unsigned shown_ = static_cast<unsigned>(-1);
};

// TFCANCMOVIM: the period, the list ELENCO with one tick box per line, "Tutti"
// and "Nessuno", and ECONF. There is no confirm button: leaving ECONF with "SI"
// deletes.
class CancellationView : public FormView {
    Q_OBJECT
public:
    CancellationView(CancellationForm& model, QWidget* parent = nullptr);
    QListWidget* list() const { return list_; }

private:
    void refresh();
    CancellationForm& cancel_;
    QListWidget* list_ = nullptr;
    QTimer* poll_ = nullptr;
    unsigned shown_ = static_cast<unsigned>(-1);
    bool filling_ = false;
};

// TFSCEGLIMOVIMENTO: the year LANNO and the list LISTA; a click on a header sorts
// by that column, Enter or a double click chooses the row, Escape abandons.
class MovementPickerView : public FormView {
    Q_OBJECT
public:
    MovementPickerView(MovementPickerForm& model, QWidget* parent = nullptr);
    QTreeWidget* tree() const { return tree_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh(bool force);
    void fill();
    void chooseCurrent();
    MovementPickerForm& picker_;
    QTreeWidget* tree_ = nullptr;
    QTimer* poll_ = nullptr;
    unsigned shown_ = static_cast<unsigned>(-1);
};

// Gives the host the views of the registers' windows.
void RegisterRegisterViews(WindowHost& host);

}  // namespace veltrano
