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

using L = MovementRecord::Layout;

// The kind letter of a stored record; 0 when blank.
char kindChar(ByteSpan r) {
    if (r[L::TIPMOV] == 0) return 0;
    const char c = static_cast<char>(r[L::TIPMOV + 1]);
    return static_cast<unsigned char>(c) <= 0x20 ? 0 : c;
}

// A text field as stored (Windows-1252), trimmed: the grouping key, viewed in
// the file's bytes so that the scan allocates nothing.
std::string_view rawKey(ByteSpan r, std::size_t off, std::size_t width) {
    std::string_view s = GetRawString(r, off, width);
    // Stored texts are padded with spaces: drop them eight at a time first.
    static constexpr std::string_view kSpaces = "        ";
    while (s.size() >= 8 && s.substr(s.size() - 8) == kSpaces)
        s.remove_suffix(8);
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20)
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20)
        s.remove_suffix(1);
    return s;
}

struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
template <typename V>
using KeyMap = std::unordered_map<std::string, V, KeyHash, std::equal_to<>>;

// Groups records by a key, keeping the order in which groups are first met.
class Groups {
public:
    MovementRecord* find(std::string_view key) {
        const auto it = index_.find(key);
        return it == index_.end() ? nullptr : &records_[it->second];
    }
    MovementRecord& add(std::string_view key, MovementRecord r) {
        index_.emplace(std::string(key), records_.size());
        records_.push_back(std::move(r));
        return records_.back();
    }
    std::vector<MovementRecord>& records() { return records_; }

private:
    KeyMap<std::size_t> index_;
    std::vector<MovementRecord> records_;
};

// Conditioned groups match on lot and container type exactly, and on Plato and
// unit volume within a tolerance, so they cannot be hashed: a short list per lot.
class ConditionedGroups {
public:
    MovementRecord* find(std::string_view lot, std::int32_t type, double plato, double unit) {
        const auto it = byLot_.find(lot);
        if (it == byLot_.end()) return nullptr;
        for (const std::size_t k : it->second) {
            MovementRecord& g = records_[k];
            if (g.INIZIO == type && std::fabs(g.GRAREA - plato) <= 0.06 + 1e-9 &&
                std::fabs(g.LITPRE - unit) <= 0.000001) {
                return &g;
            }
        }
        return nullptr;
    }
    void add(std::string_view lot, MovementRecord g) {
        auto it = byLot_.find(lot);
        if (it == byLot_.end())
            it = byLot_.emplace(std::string(lot), std::vector<std::size_t>{}).first;
        it->second.push_back(records_.size());
        records_.push_back(std::move(g));
    }
    std::vector<MovementRecord>& records() { return records_; }

private:
    KeyMap<std::vector<std::size_t>> byLot_;
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

    // The year files are scanned on their stored bytes; a record is decoded only
    // when it opens a new group.

    // Raw materials: loads minus unloads, per material.
    Groups materials;
    for (int y = kFirstRegisterYear; y < year; ++y) {
        const RecordFile file =
            RecordFile::OpenOrCreate(YearFilePath(folders, y, "MPR"), MovementRecord::kSize);
        for (std::size_t k = 0; k < file.count(); ++k) {
            const ByteSpan r = file.record(k);
            double q = GetDouble(r, L::LITRII);
            RoundTo(q, 5);
            if (kindChar(r) == 'S') q = -q;
            const std::string_view key = rawKey(r, L::TBIRRA, L::wTBIRRA);
            if (MovementRecord* total = materials.find(key)) {
                total->LITRII += q;
                continue;
            }
            MovementRecord first = MovementRecord::decode(r);
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
    Groups lots;
    ConditionedGroups packages;
    for (int y = kFirstRegisterYear; y < year; ++y) {
        const RecordFile wort =
            RecordFile::OpenIfPresent(YearFilePath(folders, y, "CTT"), MovementRecord::kSize);
        for (std::size_t k = 0; k < wort.count(); ++k) {
            const ByteSpan r = wort.record(k);
            if (kindChar(r) != 'C') continue;
            const double litres = GetDouble(r, L::LITRII);
            const double degrees = litres * GetDouble(r, L::GRAREA) / 100;
            const std::string_view key = rawKey(r, L::LMOSTO, L::wLMOSTO);
            if (MovementRecord* lot = lots.find(key)) {
                lot->MECUBI += degrees;
                lot->LITRII += litres;
                continue;
            }
            MovementRecord first = MovementRecord::decode(r);
            first.MECUBI = degrees;
            first.NUMMOV = -100;
            first.KIWATT = 0;
            first.KILOGR = 0;
            lots.add(key, first);
        }
        const RecordFile conditioned =
            RecordFile::OpenIfPresent(YearFilePath(folders, y, "CND"), MovementRecord::kSize);
        for (std::size_t k = 0; k < conditioned.count(); ++k) {
            const ByteSpan r = conditioned.record(k);
            const char kind = kindChar(r);
            const bool load = kind == 'C' || kind == 'K' || kind == 'R';
            const bool unload = kind == 'E' || kind == 'I' || kind == 'S';
            if (!load && !unload && kind != 'Z') continue;
            const std::string_view lotKey = rawKey(r, L::LMOSTO, L::wLMOSTO);
            if (kind == 'C' || kind == 'Z') {
                if (MovementRecord* lot = lots.find(lotKey)) {
                    lot->KILOGR += GetDouble(r, L::LITRII);
                    lot->KIWATT += GetDouble(r, kind == 'C' ? L::RESPRE : L::ELITRI);
                }
            }
            if (!load && !unload) continue;
            const std::int32_t type = GetInt32(r, L::INIZIO);
            const double plato = GetDouble(r, L::GRAREA);
            const double unit = GetDouble(r, L::LITPRE);
            const std::int32_t containers = GetInt32(r, L::FINALE);
            if (MovementRecord* g = packages.find(lotKey, type, plato, unit)) {
                if (load) {
                    g->LITRII += GetDouble(r, L::LITRII);
                    g->FINALE += containers;
                    g->RESPRE += GetDouble(r, L::RESPRE);
                } else {
                    g->FINALE -= containers;
                }
                continue;
            }
            MovementRecord g;
            MovementBlank(g);
            g.NUMMOV = -100;
            g.DATMOV = newYear;
            g.LMOSTO = GetText(r, L::LMOSTO, L::wLMOSTO);
            g.TBIRRA = GetText(r, L::TBIRRA, L::wTBIRRA);
            g.INIZIO = type;
            g.GRAREA = plato;
            g.LITPRE = unit;
            g.RESPRE = GetDouble(r, L::RESPRE);
            if (load) {
                g.LITRII = GetDouble(r, L::LITRII);
                g.FINALE = containers;
            } else {
                g.FINALE = -containers;
            }
            g.TIPMOV = "C";
            MovementPad(g);
            packages.add(lotKey, std::move(g));
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
        for (std::size_t k = 0; k < file.count(); ++k) {
            const double date = GetDouble(file.record(k), L::DATMOV);
            if (date < fromDate || date > toDate) continue;
            const MovementRecord r = MovementRecord::decode(file.record(k));
            if (previous && previous->FINALE > 0 && previous->FINALE != r.INIZIO) {
                const std::string kind = TrimText(previous->TIPMOV);
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
