#include "admin/demo.h"

#include <filesystem>
#include <string>
#include <vector>

#include "admin/record_kinds.h"
#include "core/dates.h"
#include "core/values.h"
#include "registers/movement.h"
#include "registers/year_files.h"

namespace veltrano::admin {
namespace {

bool hasYearFiles(const std::string& registri) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(registri, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (ParseYearFileName(it->path().filename().string())) return true;
    }
    return false;
}

MovementRecord blank() {
    MovementRecord r;
    MovementBlank(r);
    return r;
}

struct Use {
    const char* material;
    double quantity;
};

struct Batch {
    int month, day;
    const char* number;
    const char* beer;
    int meterStart, meterEnd;
    double plato;
    double expectedPlato;
    double kwh, gas;
    std::vector<Use> uses;
};

struct Packaging {
    int month, day;
    const char* kind;  // "C" conditioning, "S" sale
    const char* document;
    const char* beer;
    const char* lot;
    int regime;     // 0 "Sospesa", 1 "Assolta"
    int container;  // 0 "Bottiglia", 2 "Fusto"
    double unitLitres;
    int containers;
    double plato;
    const char* note;
};

}  // namespace

bool CreateDemo(const Folders& folders, int year, Prompt& prompt) {
    folders.create();
    if (hasYearFiles(folders.registri)) return false;

    const std::string ctt = YearFilePath(folders, year, "CTT");
    const std::string mpr = YearFilePath(folders, year, "MPR");
    const std::string cnd = YearFilePath(folders, year, "CND");
    const auto day = [year](int m, int d) { return EncodeDate(year, m, d); };
    const std::string yy = std::to_string(year % 100 + 100).substr(1);
    const auto lot = [&yy](int n) { return "L" + yy + "00" + std::to_string(n); };

    // Raw materials bought at the start of the year.
    struct Load {
        int month, day;
        const char* material;
        double quantity;
        const char* document;
        const char* documentType;
    };
    const std::vector<Load> loads = {
        {1, 3, "MALTO PILS", 500, "FT 12", "FT"},
        {1, 3, "LUPPOLO CASCADE", 20, "FT 12", "FT"},
        {1, 5, "MALTO CARAMELLO", 100, "DDT 7", "DDT"},
        {1, 5, "LIEVITO US-05", 5, "DDT 7", "DDT"},
    };
    for (const Load& l : loads) {
        MovementRecord r = blank();
        r.TIPMOV = "C";
        r.DATMOV = day(l.month, l.day);
        r.DATPRE = r.DATMOV;
        r.NUMDOC = l.document;
        r.TBIRRA = l.material;
        r.LITRII = l.quantity;
        r.LMOSTO = l.documentType;
        MovementInsertOrdered(mpr, r, prompt);
    }

    const std::vector<Batch> batches = {
        {1,
         8,
         "1",
         "BIONDA",
         1200,
         2200,
         12.5,
         12.0,
         120.5,
         35.2,
         {{"MALTO PILS", 180}, {"LUPPOLO CASCADE", 2.5}, {"LIEVITO US-05", 1}}},
        {1,
         15,
         "2",
         "ROSSA",
         2500,
         3450,
         14.2,
         14.0,
         118,
         34.8,
         {{"MALTO PILS", 150},
          {"MALTO CARAMELLO", 30},
          {"LUPPOLO CASCADE", 3},
          {"LIEVITO US-05", 1}}},
        {1,
         22,
         "3",
         "BIONDA",
         3450,
         4470,
         12.4,
         12.0,
         121.25,
         35.5,
         {{"MALTO PILS", 182}, {"LUPPOLO CASCADE", 2.5}, {"LIEVITO US-05", 1}}},
    };
    int lotNumber = 0;
    for (const Batch& b : batches) {
        MovementRecord r = blank();
        r.TIPMOV = "C";
        r.DATMOV = day(b.month, b.day);
        r.NUMDOC = b.number;
        r.TBIRRA = b.beer;
        r.DATPRE = r.DATMOV - 1;  // preventive communication sent the day before
        r.LITPRE = 1000;
        r.GRAPRE = b.expectedPlato;
        r.RESPRE = 85;
        r.INIZIO = b.meterStart;
        r.FINALE = b.meterEnd;
        r.LITRII = b.meterEnd - b.meterStart;
        r.GRAREA = b.plato;
        r.LMOSTO = lot(++lotNumber);
        r.KIWATT = b.kwh;
        r.MECUBI = b.gas;
        MovementInsertOrdered(ctt, r, prompt);

        for (const Use& u : b.uses) {
            MovementRecord s = blank();
            s.TIPMOV = "S";
            s.NUMRIF = r.NUMMOV;
            s.DATMOV = r.DATMOV;
            s.DATPRE = r.DATMOV;
            s.NUMDOC = b.number;
            s.TBIRRA = u.material;
            s.LITRII = u.quantity;
            s.LMOSTO = "VIA";
            s.ANNOTA = std::string("COTTA N. ") + b.number + " " + b.beer;
            MovementInsertOrdered(mpr, s, prompt);
        }
    }

    // Sanitisation after the first batch of the same day: the meter orders them.
    {
        MovementRecord r = blank();
        r.TIPMOV = "S";
        r.DATMOV = day(1, 8);
        r.INIZIO = 2200;
        r.FINALE = 2500;
        r.LITRII = 300;
        r.ANNOTA = "SANIFICAZIONE IMPIANTO";
        MovementInsertOrdered(ctt, r, prompt);
    }
    // A load entered after the unloads of its day goes before them.
    {
        MovementRecord r = blank();
        r.TIPMOV = "C";
        r.DATMOV = day(1, 15);
        r.DATPRE = day(1, 14);
        r.NUMDOC = "FT 19";
        r.TBIRRA = "MALTO PILS";
        r.LITRII = 300;
        r.LMOSTO = "FT";
        MovementInsertOrdered(mpr, r, prompt);
    }

    const double rate = 2.99;  // euro per hectolitre-degree
    const std::vector<Packaging> packaging = {
        {1, 29, "C", "CONF 1", "BIONDA", "1", 0, 0, 0.33, 2400, 12.5, ""},
        {1, 29, "C", "CONF 2", "BIONDA", "1", 0, 2, 20, 10, 12.5, ""},
        {2, 5, "S", "FT 34", "BIONDA", "1", 1, 0, 0.33, 600, 12.5, "BIRRERIA DEL PORTO"},
        {2, 12, "S", "FT 41", "BIONDA", "1", 1, 2, 20, 4, 12.5, "TRATTORIA DA GINO"},
        // Entered after the sale of its day, placed before it.
        {2, 12, "C", "CONF 3", "ROSSA", "2", 0, 0, 0.5, 1500, 14.2, ""},
    };
    for (const Packaging& p : packaging) {
        MovementRecord r = blank();
        r.TIPMOV = p.kind;
        r.DATMOV = day(p.month, p.day);
        r.NUMDOC = p.document;
        r.TBIRRA = p.beer;
        r.LMOSTO = lot(std::stoi(p.lot));
        r.NUMCTT = p.regime;
        r.INIZIO = p.container;
        r.LITPRE = p.unitLitres;
        r.FINALE = p.containers;
        r.GRAREA = p.plato;
        r.RESPRE = Rounded(p.containers * p.unitLitres, 0);
        r.LITRII = Rounded(r.RESPRE * p.plato / 100, 5);
        r.GRAPRE = rate;
        r.KIWATT = p.regime == 0 ? 0 : Rounded(r.LITRII * rate, 2);
        r.ANNOTA = p.note;
        MovementInsertOrdered(cnd, r, prompt);
    }
    return true;
}

}  // namespace veltrano::admin
