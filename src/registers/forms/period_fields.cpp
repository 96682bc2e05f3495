#include "registers/forms/period_fields.h"

#include "core/dates.h"

namespace veltrano {

FieldSpec PeriodFromField() {
    FieldSpec from;
    from.name = "MDADA";
    from.caption = "Dalla data";
    from.kind = FieldKind::Date;
    return from;
}

FieldSpec PeriodToField() {
    FieldSpec to;
    to.name = "MDAAL";
    to.caption = "Alla data";
    to.kind = FieldKind::Date;
    to.besideOf = "MDADA";
    return to;
}

std::optional<double> PeriodDate(const std::string& text) {
    const auto d = ParseDate(text);
    if (!d) return std::nullopt;
    const int y = YearOf(*d);
    if (y < 2000 || y > 2100) return std::nullopt;
    return d;
}

}  // namespace veltrano
