#include "registers/forms/register_windows.h"

#include "registers/forms/cancellation_form.h"
#include "registers/forms/meter_continuity_form.h"
#include "registers/forms/movement_picker.h"
#include "registers/forms/stock_form.h"
#include "shell/window_registry.h"

namespace veltrano {

void RegisterRegisterWindows(WindowRegistry& registry, const TextMetrics* metrics,
                             ReportViewer* viewer) {
    registry.add("TFGIACENZE", [](Session& s, UserDialogs& d) -> std::unique_ptr<FormModel> {
        return std::make_unique<StockForm>(s, d);
    });
    registry.add("TFCANCMOVIM", [](Session& s, UserDialogs& d) -> std::unique_ptr<FormModel> {
        return std::make_unique<CancellationForm>(s, d);
    });
    registry.add("TFSCEGLIMOVIMENTO", [](Session& s, UserDialogs& d) -> std::unique_ptr<FormModel> {
        return std::make_unique<MovementPickerForm>(s, d);
    });
    if (metrics != nullptr && viewer != nullptr) {
        registry.add("TFCONTR_CONTAL",
                     [metrics, viewer](Session& s, UserDialogs& d) -> std::unique_ptr<FormModel> {
                         return std::make_unique<MeterContinuityForm>(s, d, *metrics, *viewer);
                     });
    }
}

}  // namespace veltrano
