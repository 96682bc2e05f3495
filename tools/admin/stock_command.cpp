#include "admin/stock_command.h"

#include <exception>
#include <ostream>

#include "admin/commands.h"
#include "core/folders.h"
#include "registers/stock.h"
#include "shell/session.h"

namespace veltrano::admin {

int CommandStock(int year, bool fromOn, const std::string& folder, int currentYear,
                 std::ostream& out, std::ostream& err) {
    const int last = fromOn ? currentYear : year;
    for (const int y : {year, last}) {
        if (const auto refusal = OpeningStockYearRefusal(y, currentYear)) {
            err << "veltrano-admin: "
                << (refusal->empty()
                        ? "l'anno " + std::to_string(y) + " è anteriore all'inizio dei registri"
                        : *refusal)
                << '\n';
            return kExitUsage;
        }
    }
    try {
        const Folders folders = Folders::At(folder, DefaultTempFolder());
        const auto company = ReadCompanyRecord(JoinPath(folders.datiGen, "UTENTE.001"));
        const std::string regime = company ? TrimText(company->TIPOIN) : std::string();
        for (int y = year; y <= last; ++y) {
            const OpeningStock stock = ComputeOpeningStock(folders, y, regime);
            WriteOpeningStock(folders, stock);
            if (fromOn) out << "== " << y << '\n';
            for (const std::string& line : stock.lines)
                out << line << '\n';
        }
        out.flush();
        return kExitOk;
    } catch (const std::exception& e) {
        err << "veltrano-admin: " << e.what() << '\n';
        return kExitProblems;
    }
}

}  // namespace veltrano::admin
