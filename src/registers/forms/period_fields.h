#pragma once

#include <optional>
#include <string>

#include "shell/form_model.h"

namespace veltrano {

// The period of the registers' windows: MDADA "Dalla data" and MDAAL "Alla data"
// beside it, both dates.
FieldSpec PeriodFromField();
FieldSpec PeriodToField();

// A period date: a real day of a year from 2000 to 2100.
std::optional<double> PeriodDate(const std::string& text);

}  // namespace veltrano
