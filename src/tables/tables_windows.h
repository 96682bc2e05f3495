#pragma once

#include "shell/window_registry.h"

namespace veltrano {

// The windows of the reference tables that the generic form view shows as they
// are: TFTABACCISE, TFMATPRI, TFSTRUTAB. TFLISTVIEW, TFCODICI (made anew per
// table) and TFPRODAZ (with its grid) need the views of tables/ui, which
// TablesWindowOpener opens.
void RegisterTableWindows(WindowRegistry& registry);

}  // namespace veltrano
