#include "tables/tables_windows.h"

#include "tables/excise_rates.h"
#include "tables/raw_materials_form.h"
#include "tables/structure_form.h"

namespace veltrano {

void RegisterTableWindows(WindowRegistry& registry) {
    registry.add("TFTABACCISE", [](Session& s, UserDialogs& d) -> std::unique_ptr<FormModel> {
        return std::make_unique<ExciseRateForm>(s, d);
    });
    registry.add("TFMATPRI", [](Session& s, UserDialogs& d) -> std::unique_ptr<FormModel> {
        return std::make_unique<RawMaterialsForm>(s, d);
    });
    registry.add("TFSTRUTAB", [](Session& s, UserDialogs& d) -> std::unique_ptr<FormModel> {
        return std::make_unique<StructureEditorForm>(s, d);
    });
}

}  // namespace veltrano
