#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace veltrano::admin {

// Computes the opening stock files (.GMP, .GMS, .GCN) of `year`, or with
// `fromYear` of every year from it to `currentYear`, in order, exactly as the
// stock window does, and prints the window's list.
int CommandStock(int year, bool fromOn, const std::string& folder, int currentYear,
                 std::ostream& out, std::ostream& err);

}  // namespace veltrano::admin
