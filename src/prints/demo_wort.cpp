#include "prints/demo_wort.h"

#include <cstdint>

#include "core/dates.h"
#include "core/record_file.h"
#include "core/values.h"

namespace veltrano {

namespace {

// Small deterministic generator, so the demo is the same on every machine.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : s_(seed) {}
    std::uint32_t next() { return s_ = s_ * 1664525u + 1013904223u; }
    int below(int n) { return static_cast<int>((next() >> 8) % static_cast<std::uint32_t>(n)); }

private:
    std::uint32_t s_;
};

struct Beer {
    const char* name;
    double plato;
};
const Beer kBeers[] = {
    {"BIONDA DEL LAGO - R01", 12.5}, {"ROSSA DOPPIO MALTO - R02", 16.0},
    {"IPA DELLE VALLI - R03", 14.5}, {"WEISS DI SAN ROCCO - R04", 12.0},
    {"STOUT AL CAFFE' - R05", 15.0}, {"BOCK DI NATALE - R06", 17.5},
};

std::vector<MovementRecord> Generate(int year, int count) {
    std::vector<MovementRecord> out;
    Lcg rnd(static_cast<std::uint32_t>(year) * 2654435761u);
    const double first = EncodeDate(year, 1, 7);
    const double last = EncodeDate(year, 12, 22);
    const int days = static_cast<int>(last - first) + 1;
    int meter = 10000 + rnd.below(5000);
    int batch = 0;
    const std::string yy = std::to_string(year % 100 + 100).substr(1);
    for (int k = 0; k < count; ++k) {
        // Evenly over the working days of the year.
        double day = first + static_cast<double>(static_cast<long long>(k) * days / count);
        const int weekday = static_cast<int>(day + 6) % 7;  // 0 = Monday (30/12/1899 Saturday)
        if (weekday >= 5 && count < days) day += 7 - weekday;
        if (day > last) day = last;
        MovementRecord r;
        MovementBlank(r);
        r.DATMOV = day;
        const bool sanitisation = count < 400 ? (k % 4 == 3) : (k % 5 == 4);
        if (sanitisation) {
            r.TIPMOV = "S";
            r.INIZIO = meter;
            const int water = 250 + 10 * rnd.below(26);
            r.FINALE = meter + water;
            r.LITRII = water;
            r.ANNOTA = k % 8 == 7 ? "Sanificazione impianto con soda caustica e acido peracetico"
                                  : "Lavaggio CIP";
            meter = r.FINALE;
        } else {
            const Beer& b = kBeers[rnd.below(6)];
            ++batch;
            r.TIPMOV = "C";
            r.NUMDOC = std::to_string(batch);
            r.TBIRRA = b.name;
            r.DATPRE = day - 2;
            r.LITPRE = 1000;
            r.GRAPRE = b.plato;
            r.RESPRE = 76 + rnd.below(80) / 10.0;
            r.INIZIO = meter;
            const double litres = 960 + rnd.below(800) / 10.0 + (rnd.below(4) == 0 ? 0.5 : 0);
            r.LITRII = Rounded(litres, 5);
            r.FINALE = meter + static_cast<int>(litres);
            r.GRAREA = Rounded(b.plato + (rnd.below(11) - 5) / 10.0, 1);
            r.LMOSTO = "M" + yy + "-" + std::to_string(1000 + batch).substr(1);
            if (rnd.below(6) == 0) r.ANNOTA = "Cotta con luppolatura a freddo";
            r.KIWATT = 110 + rnd.below(30);
            r.MECUBI = 30 + rnd.below(10);
            meter = r.FINALE;
        }
        out.push_back(r);
    }
    return out;
}

}  // namespace

std::vector<MovementRecord> DemoWortYear(int year) {
    return Generate(year, 130);
}

void WriteDemoWortYear(const std::string& path, int year, Prompt& prompt) {
    for (MovementRecord r : DemoWortYear(year))
        MovementInsertOrdered(path, r, prompt);
}

void WriteSyntheticWortYear(const std::string& path, int year, int count) {
    RecordFile file = RecordFile::Empty(path, MovementRecord::kSize);
    int number = 0;
    for (MovementRecord r : Generate(year, count)) {
        r.NUMMOV = ++number;
        MovementPad(r);
        file.append(r.encode());
    }
    file.commit(true);
}

}  // namespace veltrano
