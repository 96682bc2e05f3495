#include "registers/year_files.h"

#include <cstdio>

#include "core/dates.h"
#include "core/folders.h"

namespace veltrano {

YearFileKind YearFileKindOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.find(".CTT") != std::string::npos) return YearFileKind::Wort;
    if (name.find(".MPR") != std::string::npos) return YearFileKind::RawMaterials;
    if (name.find(".CND") != std::string::npos) return YearFileKind::Conditioned;
    return YearFileKind::Other;
}

std::string YearFilePath(const Folders& folders, int year, const std::string& extension) {
    char name[32];
    (void)std::snprintf(name, sizeof name, "%04d.", year);
    return JoinPath(folders.registri, name + extension);
}

std::string YearFilePathFor(const Folders& folders, double date, const std::string& extension) {
    return YearFilePath(folders, YearOf(date), extension);
}

std::string CompanionRawMaterialsPath(const std::string& wortPath) {
    std::string p = wortPath;
    const auto at = p.rfind(".CTT");
    if (at != std::string::npos) p.replace(at, 4, ".MPR");
    return p;
}

}  // namespace veltrano
