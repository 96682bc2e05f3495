#include "admin/init.h"

#include <exception>
#include <ostream>

#include "admin/commands.h"
#include "admin/terminal_prompt.h"
#include "core/folders.h"
#include "tables/installation.h"

namespace veltrano::admin {
namespace {

void Report(const InstallReport& r, std::ostream& out) {
    for (const auto& f : r.written)
        out << "  installato   DATI_GEN/" << f << '\n';
    for (const auto& f : r.kept)
        out << "  già presente DATI_GEN/" << f << " (non modificato)\n";
}

}  // namespace

int CommandInit(const std::string& folder, bool demo, std::ostream& out, std::ostream& err) {
    try {
        TerminalPrompt prompt(err);
        const Folders folders = Folders::At(folder, DefaultTempFolder());
        out << "Cartella di lavoro " << folder << '\n';
        Report(InstallStructures(folders, ShippedStructureSource()), out);
        if (demo) {
            Report(InstallDemoTables(folders, DemoTableSource(), prompt), out);
            out << "Le aliquote di accisa della cartella di prova sono ESEMPI, non le aliquote in "
                   "vigore:\nle aliquote reali si inseriscono con \"Importo accisa ridotta\".\n";
        }
        return kExitOk;
    } catch (const std::exception& e) {
        err << "veltrano-admin: " << e.what() << '\n';
        return kExitProblems;
    }
}

}  // namespace veltrano::admin
