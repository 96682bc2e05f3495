#pragma once

#include "registers/stock.h"
#include "shell/form_model.h"
#include "shell/session.h"

namespace veltrano {

// TFGIACENZE, "Calcola le giacenze di inizio anno": computes and lists the
// opening stock of a year. LANNO is the year, RIPORTI the list of the results.
class StockForm : public FormModel {
public:
    StockForm(Session& session, UserDialogs& dialogs);

    // The result of the last computation (empty before one).
    const OpeningStock& result() const { return result_; }

protected:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;

private:
    Check checkYear();

    Session& session_;
    bool yearChecked_ = false;
    OpeningStock result_;
};

}  // namespace veltrano
