// veltrano-admin: administration of a working folder from the command line.
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "admin/commands.h"
#include "admin/init.h"
#include "admin/stock_command.h"

namespace {

using namespace veltrano::admin;

const char* const kUsage =
    "uso:\n"
    "  veltrano-admin dump FILE [--json]   elenca i record di un file (CSV, o JSON per riga)\n"
    "  veltrano-admin check [CARTELLA]     verifica i file di una cartella di lavoro\n"
    "                                      (predefinita: la cartella corrente)\n"
    "  veltrano-admin demo CARTELLA        crea una cartella di lavoro di prova\n"
    "  veltrano-admin init CARTELLA [--demo]\n"
    "                                      crea le cartelle e installa le strutture delle\n"
    "                                      tabelle (--demo: anche tabelle di prova)\n"
    "  veltrano-admin stock ANNO [CARTELLA]\n"
    "                                      calcola le giacenze di inizio anno\n"
    "  veltrano-admin stock --from ANNO [CARTELLA]\n"
    "                                      le ricalcola per ogni anno da ANNO a oggi\n";

int usage(const std::string& why) {
    if (!why.empty()) std::cerr << "veltrano-admin: " << why << '\n';
    std::cerr << kUsage;
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage("");
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "-h" || command == "--help" || command == "help") {
        std::cout << kUsage;
        return kExitOk;
    }
    if (command == "dump") {
        std::string file;
        bool json = false;
        for (const std::string& a : args) {
            if (a == "--json") {
                json = true;
            } else if (a.starts_with("--")) {
                return usage("opzione sconosciuta: " + a);
            } else if (file.empty()) {
                file = a;
            } else {
                return usage("dump accetta un solo file");
            }
        }
        if (file.empty()) return usage("dump: manca il nome del file");
        return CommandDump(file, json ? DumpFormat::JsonLines : DumpFormat::Csv, std::cout,
                           std::cerr);
    }
    if (command == "check") {
        if (args.size() > 1) return usage("check accetta una sola cartella");
        if (!args.empty() && args[0].starts_with("--")) {
            return usage("opzione sconosciuta: " + args[0]);
        }
        return CommandCheck(args.empty() ? std::string(".") : args[0], std::cout, std::cerr);
    }
    if (command == "init") {
        std::string folder;
        bool demo = false;
        for (const std::string& a : args) {
            if (a == "--demo") {
                demo = true;
            } else if (a.starts_with("--")) {
                return usage("opzione sconosciuta: " + a);
            } else if (folder.empty()) {
                folder = a;
            } else {
                return usage("init accetta una sola cartella");
            }
        }
        if (folder.empty()) return usage("init: indicare la cartella");
        return CommandInit(folder, demo, std::cout, std::cerr);
    }
    if (command == "demo") {
        if (args.size() != 1 || args[0].starts_with("--")) {
            return usage("demo: indicare una sola cartella");
        }
        return CommandDemo(args[0], std::cout, std::cerr);
    }
    if (command == "stock") {
        bool from = false;
        std::string year;
        std::string folder = ".";
        std::size_t positional = 0;
        for (const std::string& a : args) {
            if (a == "--from") {
                from = true;
            } else if (a.starts_with("--")) {
                return usage("opzione sconosciuta: " + a);
            } else if (positional++ == 0) {
                year = a;
            } else if (positional == 2) {
                folder = a;
            } else {
                return usage("stock: troppi argomenti");
            }
        }
        if (year.size() != 4 || year.find_first_not_of("0123456789") != std::string::npos) {
            return usage("stock: indicare l'anno con quattro cifre");
        }
        const std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        return CommandStock(std::stoi(year), from, folder, tm.tm_year + 1900, std::cout, std::cerr);
    }
    return usage("comando sconosciuto: " + command);
}
