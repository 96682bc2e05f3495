#include "admin/commands.h"

#include <ctime>
#include <exception>
#include <ostream>

#include "admin/check.h"
#include "admin/demo.h"
#include "admin/terminal_prompt.h"
#include "core/folders.h"
#include "core/io_error.h"

namespace veltrano::admin {
namespace {

int currentYear() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm.tm_year + 1900;
}

template <typename F>
int guarded(std::ostream& err, int failure, F body) {
    try {
        return body();
    } catch (const AdminError& e) {
        err << "veltrano-admin: " << e.what() << '\n';
    } catch (const IoError& e) {
        err << "veltrano-admin: " << e.what() << '\n';
    } catch (const DamagedFile& e) {
        err << "veltrano-admin: " << e.what() << '\n';
    } catch (const std::exception& e) {
        err << "veltrano-admin: errore imprevisto: " << e.what() << '\n';
    }
    return failure;
}

}  // namespace

int CommandDump(const std::string& path, DumpFormat format, std::ostream& out, std::ostream& err) {
    return guarded(err, kExitProblems, [&] {
        DumpFile(path, format, out);
        out.flush();
        if (!out) throw AdminError("scrittura dell'elenco non riuscita");
        return kExitOk;
    });
}

int CommandCheck(const std::string& folder, std::ostream& out, std::ostream& err) {
    return guarded(err, kExitUsage, [&] {
        const auto problems = CheckFolder(folder);
        for (const Problem& p : problems)
            out << FormatProblem(p) << '\n';
        out.flush();
        if (problems.empty()) {
            err << "Nessun problema trovato in " << folder << '\n';
            return kExitOk;
        }
        err << problems.size() << (problems.size() == 1 ? " problema trovato" : " problemi trovati")
            << " in " << folder << '\n';
        return kExitProblems;
    });
}

int CommandDemo(const std::string& folder, std::ostream& out, std::ostream& err) {
    return guarded(err, kExitProblems, [&] {
        TerminalPrompt prompt(err);
        const Folders folders = Folders::At(folder, DefaultTempFolder());
        if (CreateDemo(folders, currentYear(), prompt)) {
            out << "Cartella di prova creata in " << folder << '\n';
        } else {
            out << "La cartella " << folder << " contiene già dei registri: nessuna modifica"
                << '\n';
        }
        return kExitOk;
    });
}

}  // namespace veltrano::admin
