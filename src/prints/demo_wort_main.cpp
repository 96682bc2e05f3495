// veltrano-demo-wort FOLDER: gives a demo working folder a whole year of wort
// movements (the year before the current one), so that the wort register
// prints a real book. Leaves an existing year file alone.
#include <cstdio>
#include <ctime>
#include <exception>
#include <string>

#include "core/file_io.h"
#include "core/folders.h"
#include "prints/demo_wort.h"
#include "registers/year_files.h"

namespace {
class QuietPrompt : public veltrano::Prompt {
public:
    void message(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool askYesNo(const std::string&) override { return true; }
};
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: veltrano-demo-wort CARTELLA\n");
        return 2;
    }
    try {
        const std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        const int year = tm.tm_year + 1900 - 1;
        const veltrano::Folders folders =
            veltrano::Folders::At(argv[1], veltrano::DefaultTempFolder());
        folders.create();
        const std::string path = veltrano::YearFilePath(folders, year, "CTT");
        if (veltrano::FileExists(path)) return 0;
        QuietPrompt prompt;
        veltrano::WriteDemoWortYear(path, year, prompt);
        std::printf("%s: registro del mosto %d\n", path.c_str(), year);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
