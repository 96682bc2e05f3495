#pragma once

#include <cstddef>
#include <string>

#include "shell/form_model.h"

namespace veltrano {

// The text a field of that kind accepts from what was typed: upper case, the
// maximum length, and the characters of its kind. Used by FormModel::type and
// by the Qt view on every edit, so both apply the same rules.
Typing ApplyInputRules(const FieldSpec& spec, const Typing& typed);

// Whole numbers: digits, and "-" only as the first character.
Typing FilterWholeNumber(const Typing& typed);

// Amounts: digits, one "," (a "." typed becomes ","; further commas are dropped),
// where "typed" is "before" after one edit (the typed characters end at the cursor);
// "-" only first, and the integer digits regrouped in threes with "." (the old
// "." are dropped first). The cursor keeps its place among the digits.
// "1234567,5" shows as "1.234.567,5".
Typing FormatAmountTyping(const std::string& before, const Typing& typed);

// Upper case of a UTF-8 text (Latin-1 letters included: "à" becomes "À").
std::string ToUpperText(const std::string& utf8);

}  // namespace veltrano
