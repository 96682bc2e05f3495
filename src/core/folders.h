#pragma once

#include <string>

namespace veltrano {

std::string JoinPath(const std::string& folder, const std::string& name);

// The folders of an installation. The working folder is shared between
// workstations; the temporary folder is local to this workstation and user.
struct Folders {
    std::string work;
    std::string datiGen;     // DATI_GEN
    std::string registri;    // REGISTRI
    std::string log;         // LOG
    std::string xfirma;      // XFIRMA
    std::string preventive;  // PREVENTIVE
    std::string bilanci;     // BILANCI
    std::string temp;        // per-workstation scratch folder

    static Folders At(const std::string& workingFolder, const std::string& tempFolder);
    // Working folder = the current folder, temporary folder = DefaultTempFolder().
    static Folders FromEnvironment();
    // Creates the ones that are missing.
    void create() const;
};

// $XDG_STATE_HOME/veltrano, or ~/.local/state/veltrano when it is not set.
std::string DefaultTempFolder();
std::string CurrentFolder();

}  // namespace veltrano
