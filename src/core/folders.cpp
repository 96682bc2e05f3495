#include "core/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "core/file_io.h"
#include "core/io_error.h"

namespace veltrano {

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

Folders Folders::At(const std::string& workingFolder, const std::string& tempFolder) {
    std::string w = workingFolder;
    while (w.size() > 1 && w.back() == '/')
        w.pop_back();
    Folders f;
    f.work = w;
    f.datiGen = JoinPath(w, "DATI_GEN");
    f.registri = JoinPath(w, "REGISTRI");
    f.log = JoinPath(w, "LOG");
    f.xfirma = JoinPath(w, "XFIRMA");
    f.preventive = JoinPath(w, "PREVENTIVE");
    f.bilanci = JoinPath(w, "BILANCI");
    f.temp = tempFolder;
    return f;
}

Folders Folders::FromEnvironment() {
    return At(CurrentFolder(), DefaultTempFolder());
}

void Folders::create() const {
    for (const auto* p : {&datiGen, &registri, &log, &xfirma, &preventive, &bilanci, &temp}) {
        MakeFolders(*p);
    }
}

std::string DefaultTempFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return JoinPath(state, "veltrano");
    const char* home = std::getenv("HOME");
    std::string h = home != nullptr ? home : "";
    if (h.empty()) {
        const passwd* pw = ::getpwuid(::getuid());
        if (pw != nullptr && pw->pw_dir != nullptr) h = pw->pw_dir;
    }
    if (h.empty()) h = "/tmp";
    return JoinPath(JoinPath(h, ".local/state"), "veltrano");
}

std::string CurrentFolder() {
    std::vector<char> buf(4096);
    while (::getcwd(buf.data(), buf.size()) == nullptr) {
        if (errno != ERANGE)
            throw IoError::fromErrno(".", "Lettura della cartella corrente", errno);
        buf.resize(buf.size() * 2);
    }
    return buf.data();
}

}  // namespace veltrano
