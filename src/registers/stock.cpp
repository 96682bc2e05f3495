#include "registers/stock.h"

#include <cmath>
#include <unordered_map>

#include "core/dates.h"
#include "core/folders.h"
#include "core/record_file.h"
#include "core/values.h"
#include "registers/year_files.h"

namespace veltrano {
namespace {

const std::string kSeparator(85, '=');

std::vector<MovementRecord> readAll(const RecordFile& file) {
    std::vector<MovementRecord> out;
    out.reserve(file.count());
    for (std::size_t k = 0; k < file.count(); ++k)
        out.push_back(MovementRecord::decode(file.record(k)));
    return out;
}

std::string kindOf(const MovementRecord& r) {
    return TrimText(r.TIPMOV);
}

// Groups records by a key, keeping the order in which groups are first met.
template <typename Key>
class Groups {
public:
    MovementRecord* find(const Key& key) {
        const auto it = index_.find(key);
        return it == index_.end() ? nullptr : &records_[it->second];
    }
    MovementRecord& add(const Key& key, MovementRecord r) {
        index_.emplace(key, records_.size());
        records_.push_back(std::move(r));
        return records_.back();
    }
    std::vector<MovementRecord>& records() { return records_; }

private:
    std::unordered_map<Key, std::size_t> index_;
    std::vector<MovementRecord> records_;
};

// Conditioned groups match on lot and container type exactly, and on Plato and
// unit volume within a tolerance, so they cannot be hashed: a short list per lot.
class ConditionedGroups {
public:
    MovementRecord* find(const MovementRecord& r) {
        const auto it = byLot_.find(TrimText(r.LMOSTO));
        if (it == byLot_.end()) return nullptr;
        for (const std::size_t k : it->second) {
            MovementRecord& g = records_[k];
            if (g.INIZIO == r.INIZIO && std::fabs(g.GRAREA - r.GRAREA) <= 0.06 + 1e-9 &&
                std::fabs(g.LITPRE - r.LITPRE) <= 0.000001) {
                return &g;
            }
        }
        return nullptr;
    }
    void add(MovementRecord g) {
        byLot_[TrimText(g.LMOSTO)].push_back(records_.size());
        records_.push_back(std::move(g));
    }
    std::vector<MovementRecord>& records() { return records_; }

private:
    std::unordered_map<std::string, std::vector<std::size_t>> byLot_;
    std::vector<MovementRecord> records_;
};

std::string fmt(double x) {
    return FormatNumber(x, 0, 0);
}

}  // namespace

std::optional<std::string> OpeningStockYearRefusal(int year, int currentYear) {
    const int previous = year - 1;
    if (previous >= currentYear) return std::string(kStockYearNotAllowed);
    if (previous < kFirstRegisterYear - 1) return std::string();
    return std::nullopt;
}

std::string ContainerPluralName(int type) {
    switch (type) {
        case 0:
            return "Bottiglie";
        case 1:
            return "Lattine";
        case 2:
            return "Fusto";
        case 3:
            return "Botte";
        case 4:
            return "Tank";
        case 5:
            return "Altro";
        default:
            return "";
    }
}

OpeningStock ComputeOpeningStock(const Folders& folders, int year, const std::string& regime) {
    OpeningStock out;
    out.year = year;
    const double newYear = EncodeDate(year, 1, 1);

    // Raw materials: loads minus unloads, per material.
    Groups<std::string> materials;
    for (int y = kFirstRegisterYear; y < year; ++y) {
        const RecordFile file =
            RecordFile::OpenOrCreate(YearFilePath(folders, y, "MPR"), MovementRecord::kSize);
        for (const MovementRecord& r : readAll(file)) {
            double q = r.LITRII;
            RoundTo(q, 5);
            if (kindOf(r) == "S") q = -q;
            const std::string key = TrimText(r.TBIRRA);
            if (MovementRecord* total = materials.find(key)) {
                total->LITRII += q;
                continue;
            }
            MovementRecord first = r;
            first.TIPMOV = "C";
            first.DATMOV = newYear;
            first.LITRII = q;
            MovementPad(first);
            materials.add(key, first);
        }
    }
    out.lines.emplace_back("GIACENZE MATERIE PRIME:");
    for (MovementRecord& r : materials.records()) {
        if (r.LITRII <= 0.000001) continue;
        r.NUMMOV = -100;
        out.rawMaterials.push_back(r);
        out.lines.push_back(TrimText(r.TBIRRA) + " giacenza: " + fmt(r.LITRII));
    }
    out.lines.push_back(kSeparator);
    out.lines.emplace_back(" ");

    // Wort lots and conditioned groups.
    Groups<std::string> lots;
    ConditionedGroups packages;
    for (int y = kFirstRegisterYear; y < year; ++y) {
        const RecordFile wort =
            RecordFile::OpenIfPresent(YearFilePath(folders, y, "CTT"), MovementRecord::kSize);
        for (MovementRecord r : readAll(wort)) {
            if (kindOf(r) != "C") continue;
            r.MECUBI = r.LITRII * r.GRAREA / 100;
            const std::string key = TrimText(r.LMOSTO);
            if (MovementRecord* lot = lots.find(key)) {
                lot->MECUBI += r.MECUBI;
                lot->LITRII += r.LITRII;
                continue;
            }
            r.NUMMOV = -100;
            r.KIWATT = 0;
            r.KILOGR = 0;
            lots.add(key, r);
        }
        const RecordFile conditioned =
            RecordFile::OpenIfPresent(YearFilePath(folders, y, "CND"), MovementRecord::kSize);
        for (const MovementRecord& r : readAll(conditioned)) {
            const std::string kind = kindOf(r);
            if (kind == "C" || kind == "Z") {
                if (MovementRecord* lot = lots.find(TrimText(r.LMOSTO))) {
                    lot->KILOGR += r.LITRII;
                    lot->KIWATT += kind == "C" ? r.RESPRE : r.ELITRI;
                }
            }
            const bool load = kind == "C" || kind == "K" || kind == "R";
            const bool unload = kind == "E" || kind == "I" || kind == "S";
            if (!load && !unload) continue;
            if (MovementRecord* g = packages.find(r)) {
                if (load) {
                    g->LITRII += r.LITRII;
                    g->FINALE += r.FINALE;
                    g->RESPRE += r.RESPRE;
                } else {
                    g->FINALE -= r.FINALE;
                }
                continue;
            }
            MovementRecord g;
            MovementBlank(g);
            g.NUMMOV = -100;
            g.DATMOV = newYear;
            g.LMOSTO = r.LMOSTO;
            g.TBIRRA = r.TBIRRA;
            g.INIZIO = r.INIZIO;
            g.GRAREA = r.GRAREA;
            g.LITPRE = r.LITPRE;
            g.RESPRE = r.RESPRE;
            if (load) {
                g.LITRII = r.LITRII;
                g.FINALE = r.FINALE;
            } else {
                g.FINALE = -r.FINALE;
            }
            g.TIPMOV = "C";
            MovementPad(g);
            packages.add(g);
        }
    }

    out.lines.emplace_back("GIACENZE MOSTO:");
    for (MovementRecord r : lots.records()) {
        const double left = r.LITRII - r.KIWATT;
        if (left <= 0.000001) continue;
        const double degrees = r.MECUBI - r.KILOGR;
        r.GRAREA = degrees * 100 / left;
        RoundTo(r.GRAREA, 1);
        out.lines.push_back(TrimText(r.TBIRRA) + " Lotto: " + TrimText(r.LMOSTO) +
                            " Giacenza in Litri: " + fmt(left) + " °Pl. medio " + fmt(r.GRAREA) +
                            " ettogradi: " + fmt(degrees));
        r.NUMMOV = -100;
        r.KIWATT = 0;
        r.KILOGR = 0;
        r.TIPMOV = "C";
        MovementPad(r);
        out.wort.push_back(r);
    }
    out.lines.push_back(kSeparator);
    out.lines.emplace_back(" ");

    const bool listed = TrimText(regime) == "S";
    if (listed) out.lines.emplace_back("GIACENZE PRODOTTI CONDIZIONATI:");
    for (const MovementRecord& g : packages.records()) {
        if (!(g.LITRII > 0.00001 || g.FINALE >= 1)) continue;
        out.conditioned.push_back(g);
        if (listed) {
            out.lines.push_back(TrimText(g.TBIRRA) + " Lotto: " + TrimText(g.LMOSTO) + " N. " +
                                fmt(g.FINALE) + " " + ContainerPluralName(g.INIZIO) +
                                " da: " + fmt(g.LITPRE));
        }
    }
    out.lines.push_back(kSeparator);
    out.lines.emplace_back(" ");
    return out;
}

void WriteOpeningStock(const Folders& folders, const OpeningStock& stock) {
    const auto write = [&](const std::string& ext, const std::vector<MovementRecord>& records) {
        Bytes bytes(records.size() * MovementRecord::kSize);
        for (std::size_t k = 0; k < records.size(); ++k) {
            records[k].encodeInto(MutableByteSpan{bytes}.subspan(k * MovementRecord::kSize));
        }
        ReplaceFileAtomically(YearFilePath(folders, stock.year, ext), ByteSpan{bytes});
    };
    write("GMP", stock.rawMaterials);
    write("GMS", stock.wort);
    write("GCN", stock.conditioned);
}

std::vector<std::string> FindMeterBreaks(const Folders& folders, double fromDate, double toDate) {
    std::vector<std::string> lines;
    std::optional<MovementRecord> previous;
    for (int y = YearOf(fromDate); y <= YearOf(toDate); ++y) {
        const RecordFile file =
            RecordFile::OpenOrCreate(YearFilePath(folders, y, "CTT"), MovementRecord::kSize);
        for (const MovementRecord& r : readAll(file)) {
            if (r.DATMOV < fromDate || r.DATMOV > toDate) continue;
            if (previous && previous->FINALE > 0 && previous->FINALE != r.INIZIO) {
                const std::string kind = kindOf(*previous);
                const std::string description = kind == "S" ? "SANIFICAZIONE"
                                                : kind == "C"
                                                    ? "COTTA N. " + TrimText(previous->NUMDOC)
                                                    : "";
                lines.push_back("In data " + FormatDate(r.DATMOV) + " il contalitri parte da " +
                                std::to_string(r.INIZIO) + " mentre la lettura precedente " +
                                description + " del " + FormatDate(previous->DATMOV) +
                                " finiva a " + std::to_string(previous->FINALE));
            }
            previous = r;
        }
    }
    return lines;
}

}  // namespace veltrano
