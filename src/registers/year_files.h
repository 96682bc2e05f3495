#pragma once

#include <string>

namespace veltrano {

struct Folders;

enum class YearFileKind { Wort, RawMaterials, Conditioned, Other };

// Recognised from the file name: it contains ".CTT", ".MPR" or ".CND".
YearFileKind YearFileKindOf(const std::string& path);

// REGISTRI/<year>.<extension>
std::string YearFilePath(const Folders& folders, int year, const std::string& extension);
// The year file of a movement dated `date` (its DATMOV).
std::string YearFilePathFor(const Folders& folders, double date, const std::string& extension);

// The raw-materials file of the same year as a wort file: ".CTT" becomes ".MPR".
std::string CompanionRawMaterialsPath(const std::string& wortPath);

}  // namespace veltrano
