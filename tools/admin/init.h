#pragma once

#include <iosfwd>
#include <string>

namespace veltrano::admin {

// `init CARTELLA [--demo]`: creates the folders of a working folder and installs
// the structure files of the reference tables; with --demo also the demo
// reference tables (offices, document types, raw materials, beer types with
// their recipes and example excise rates). Nothing that exists is overwritten.
// Answers the exit status.
int CommandInit(const std::string& folder, bool demo, std::ostream& out, std::ostream& err);

}  // namespace veltrano::admin
