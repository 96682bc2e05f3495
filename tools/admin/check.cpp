#include "admin/check.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <unordered_map>

#include "admin/dump.h"
#include "admin/record_kinds.h"
#include "core/dates.h"
#include "core/io_error.h"
#include "core/table_record.h"
#include "core/values.h"
#include "registers/movement.h"

namespace veltrano::admin {
namespace {

namespace fs = std::filesystem;
using L = MovementRecord::Layout;

std::string numberText(double x) {
    char buf[40];
    (void)std::snprintf(buf, sizeof buf, "%.10g", x);
    return buf;
}

// A date field that holds a day between 1900 and 2100 (0 means empty).
bool plausibleDate(double serial) {
    if (!std::isfinite(serial)) return false;
    const auto d = DecodeDate(serial);
    return d && d->year >= 1900 && d->year <= 2100;
}

std::string textAt(ByteSpan rec, std::size_t off, std::size_t width) {
    return TrimText(GetRawString(rec, off, width));
}

// Whole day of a stored DATMOV, as the ordered insert compares it.
double dayOf(ByteSpan rec) {
    double d = GetDouble(rec, L::DATMOV);
    if (!std::isfinite(d)) return d;
    RoundTo(d, 0);
    return d;
}

class Checker {
public:
    Checker(std::string file, std::vector<Problem>& out) : file_(std::move(file)), out_(out) {}

    void file(const std::string& what) { out_.push_back({file_, std::nullopt, what}); }
    void record(std::size_t k, const std::string& what) { out_.push_back({file_, k, what}); }

private:
    std::string file_;
    std::vector<Problem>& out_;
};

// Length bytes and date plausibility: the checks every layout shares.
void checkFields(Checker& c, std::size_t k, ByteSpan rec, const RecordKind& kind) {
    for (const Field& f : kind.fields) {
        if (f.type == FieldType::Text) {
            const std::size_t len = rec[f.offset];
            if (len > f.width) {
                c.record(k, "lunghezza di " + f.name + " pari a " + std::to_string(len) +
                                ", oltre la larghezza del campo (" + std::to_string(f.width) +
                                "): record danneggiato");
            }
        } else if (f.type == FieldType::Date) {
            const double v = GetDouble(rec, f.offset);
            if (v != 0 && !plausibleDate(v)) {
                c.record(k, f.name + " non è una data plausibile (valore " + numberText(v) +
                                ", atteso un giorno tra il 1900 e il 2100)");
            }
        }
    }
}

std::vector<ByteSpan> recordsOf(ByteSpan bytes) {
    std::vector<ByteSpan> recs;
    const std::size_t n = bytes.size() / MovementRecord::kSize;
    recs.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        recs.push_back(bytes.subspan(k * MovementRecord::kSize, MovementRecord::kSize));
    }
    return recs;
}

void checkYearFile(Checker& c, const YearFileName& y, const std::vector<ByteSpan>& recs,
                   const std::function<std::optional<Bytes>(const std::string&)>& sameFolder) {
    const std::string& ext = y.extension;
    const bool stock = IsStockExtension(ext);
    const bool machine = IsMachineExtension(ext);
    const bool tax = ext == "DER";
    const bool insertOrdered = ext == "CTT" || ext == "CND" || ext == "MPR";
    const std::string yearText = std::to_string(y.year);

    std::map<std::int32_t, std::size_t> numbers;  // NUMMOV -> first record
    for (std::size_t k = 0; k < recs.size(); ++k) {
        const ByteSpan r = recs[k];
        const double datmov = GetDouble(r, L::DATMOV);
        const std::int32_t nummov = GetInt32(r, L::NUMMOV);

        // The year of the file is the year of DATMOV.
        if (stock) {
            // A wort lot keeps the date of its first batch, of an earlier year.
            if (ext == "GMS") {
                if (plausibleDate(datmov) && DecodeDate(datmov)->year >= y.year) {
                    c.record(k, "DATMOV " + FormatDate(datmov) +
                                    " in un file di giacenza iniziale del mosto: attesa la data "
                                    "di una cotta di un anno precedente il " +
                                    yearText);
                }
            } else if (datmov != 0 && datmov != EncodeDate(y.year, 1, 1) && plausibleDate(datmov)) {
                c.record(k, "DATMOV " + FormatDate(datmov) +
                                " in un file di giacenza iniziale: atteso il 01/01/" + yearText);
            }
            if (nummov != -100) {
                c.record(k, "NUMMOV " + std::to_string(nummov) +
                                " in un file di giacenza iniziale: atteso -100");
            }
        } else if (!tax) {
            if (datmov == 0) {
                c.record(k, "DATMOV vuota: la data del movimento è obbligatoria");
            } else if (plausibleDate(datmov) && DecodeDate(datmov)->year != y.year) {
                c.record(k, "DATMOV " + FormatDate(datmov) + " non è dell'anno " + yearText +
                                " del file");
            }
        }
        if (insertOrdered && plausibleDate(datmov) && datmov != std::trunc(datmov)) {
            c.record(k, "DATMOV " + numberText(datmov) + " non è un giorno intero");
        }

        // Movement numbers are unique within their file; the stock files and the
        // machine files carry no numbers of their own.
        if (!stock && !machine) {
            const auto [it, fresh] = numbers.emplace(nummov, k);
            if (!fresh) {
                c.record(k, "NUMMOV " + std::to_string(nummov) + " ripetuto (già nel record " +
                                std::to_string(it->second) + ")");
            }
        }
    }

    // Order of the records, as the ordered insert keeps it.
    for (std::size_t k = 1; k < recs.size(); ++k) {
        const ByteSpan prev = recs[k - 1];
        const ByteSpan r = recs[k];
        if (insertOrdered) {
            const double a = dayOf(prev);
            const double b = dayOf(r);
            if (!std::isfinite(a) || !std::isfinite(b)) continue;
            if (b < a) {
                c.record(k, "fuori ordine di data: DATMOV " + FormatDate(b) + " dopo il " +
                                FormatDate(a) + " del record " + std::to_string(k - 1));
                continue;
            }
            if (b != a) continue;
            const std::string pk = textAt(prev, L::TIPMOV, L::wTIPMOV);
            const std::string rk = textAt(r, L::TIPMOV, L::wTIPMOV);
            if (ext == "MPR" && rk == "C" && pk == "S") {
                c.record(k, "fuori ordine: un carico (C) dopo uno scarico (S) dello stesso giorno");
            }
            const auto load = [](const std::string& t) { return t == "C" || t == "R"; };
            if (ext == "CND" && load(rk) && !load(pk)) {
                c.record(k, "fuori ordine: un carico (" + rk + ") dopo un movimento " +
                                (pk.empty() ? std::string("senza tipo") : pk) +
                                " dello stesso giorno");
            }
        } else if (ext == "PRV") {
            const std::int32_t a = GetInt32(prev, L::NUMCTT);
            const std::int32_t b = GetInt32(r, L::NUMCTT);
            if (b < a) {
                c.record(k, "fuori ordine di numero: NUMCTT " + std::to_string(b) + " dopo " +
                                std::to_string(a) + " del record " + std::to_string(k - 1));
            }
        }
    }

    // Links between movements.
    if (ext == "MPR") {
        std::optional<std::map<std::int32_t, std::string>> batches;  // CTT NUMMOV -> TIPMOV
        const std::string ctt = yearText + ".CTT";
        for (std::size_t k = 0; k < recs.size(); ++k) {
            const ByteSpan r = recs[k];
            const std::int32_t rif = GetInt32(r, L::NUMRIF);
            if (rif == 0 || textAt(r, L::TIPMOV, L::wTIPMOV) != "S") continue;
            if (!batches) {
                batches.emplace();
                const auto wort = sameFolder(ctt);
                // A damaged wort file is reported on its own; its links are not
                // judged from a partial reading.
                if (wort && wort->size() % MovementRecord::kSize != 0) return;
                if (wort) {
                    for (const ByteSpan w : recordsOf(*wort)) {
                        batches->emplace(GetInt32(w, L::NUMMOV), textAt(w, L::TIPMOV, L::wTIPMOV));
                    }
                }
            }
            const auto it = batches->find(rif);
            if (it == batches->end()) {
                c.record(k, "scarico collegato alla cotta NUMRIF " + std::to_string(rif) +
                                " che non esiste in " + ctt);
            } else if (it->second != "C") {
                c.record(k, "scarico collegato con NUMRIF " + std::to_string(rif) +
                                " a un movimento di " + ctt + " che non è una cotta (tipo " +
                                (it->second.empty() ? std::string("vuoto") : it->second) + ")");
            }
        }
    } else if (ext == "CND") {
        std::set<std::int32_t> transfers;
        for (const ByteSpan r : recs) {
            if (textAt(r, L::TIPMOV, L::wTIPMOV) == "I") transfers.insert(GetInt32(r, L::NUMMOV));
        }
        for (std::size_t k = 0; k < recs.size(); ++k) {
            const ByteSpan r = recs[k];
            const std::string kind = textAt(r, L::TIPMOV, L::wTIPMOV);
            const std::int32_t rif = GetInt32(r, L::NUMRIF);
            if ((kind == "K" || kind == "Z") && rif != 0 && transfers.count(rif) == 0) {
                c.record(k, "movimento " + kind + " collegato con NUMRIF " + std::to_string(rif) +
                                " a un trasferimento (I) che non esiste nel file");
            }
        }
    } else if (tax) {
        std::set<std::int32_t> all;
        for (const ByteSpan r : recs)
            all.insert(GetInt32(r, L::NUMMOV));
        for (std::size_t k = 0; k < recs.size(); ++k) {
            const std::int32_t rif = GetInt32(recs[k], L::NUMRIF);
            if (rif != 0 && all.count(rif) == 0) {
                c.record(k, "record collegato con NUMRIF " + std::to_string(rif) +
                                " a un record che non esiste nel file");
            }
        }
    }
}

std::string relativeName(const fs::path& p, const fs::path& root) {
    return p.lexically_relative(root).generic_string();
}

long long ageSeconds(const std::string& path, std::chrono::system_clock::time_point now) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0;
    const auto mtime = std::chrono::system_clock::from_time_t(st.st_mtime);
    return std::chrono::duration_cast<std::chrono::seconds>(now - mtime).count();
}

struct Walk {
    fs::path root;
    std::chrono::system_clock::time_point now;
    std::vector<Problem>& problems;
    std::vector<fs::path> recordFiles;

    void folder(const fs::path& dir) {
        std::error_code ec;
        fs::directory_iterator it(dir, ec);
        if (ec) {
            problems.push_back({relativeName(dir, root), std::nullopt,
                                "impossibile leggere la cartella (" + ec.message() + ")"});
            return;
        }
        std::vector<fs::path> entries;
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            if (ec) break;
            entries.push_back(it->path());
        }
        if (ec) {
            problems.push_back({relativeName(dir, root), std::nullopt,
                                "impossibile leggere la cartella (" + ec.message() + ")"});
        }
        std::sort(entries.begin(), entries.end());
        for (const fs::path& p : entries)
            entry(p);
    }

    void entry(const fs::path& p) {
        std::error_code ec;
        const auto st = fs::symlink_status(p, ec);
        if (ec) return;
        // Folders are walked, but never through a link: a link loop would not end.
        if (st.type() == fs::file_type::directory) {
            folder(p);
            return;
        }
        const std::string name = p.filename().string();
        const std::string rel = relativeName(p, root);
        if (name.starts_with(kTempPrefix)) {
            const long long age = ageSeconds(p.string(), now);
            if (age >= kStaleAfter.count()) {
                problems.push_back({rel, std::nullopt,
                                    "file temporaneo rimasto da una scrittura interrotta (" +
                                        std::to_string(age) +
                                        " secondi fa): il file originale è intatto, questo si "
                                        "può cancellare"});
            }
            return;
        }
        if (name.ends_with("$")) {
            const long long age = ageSeconds(p.string(), now);
            if (age >= kStaleAfter.count()) {
                problems.push_back(
                    {rel, std::nullopt,
                     "marker di blocco abbandonato (creato " + std::to_string(age) +
                         " secondi fa): se nessun utente sta scrivendo il file, cancellarlo"});
            }
            return;
        }
        // Only regular files are read: a pipe or a device would never end.
        if (FindRecordKind(name) != nullptr && fs::is_regular_file(fs::status(p, ec))) {
            recordFiles.push_back(p);
        }
    }
};

}  // namespace

std::string FormatProblem(const Problem& p) {
    if (p.record) return p.file + ", record " + std::to_string(*p.record) + ": " + p.what;
    return p.file + ": " + p.what;
}

std::vector<Problem> CheckRecordFile(
    const std::string& file, ByteSpan bytes,
    const std::function<std::optional<Bytes>(const std::string& name)>& sameFolder) {
    std::vector<Problem> problems;
    const RecordKind* kind = FindRecordKind(file);
    if (kind == nullptr) return problems;
    Checker c(file, problems);
    if (bytes.size() % kind->recordSize != 0) {
        c.file("dimensione di " + std::to_string(bytes.size()) +
               " byte, non un multiplo del record di " + kind->description + " (" +
               std::to_string(kind->recordSize) + " byte): file troncato o danneggiato");
        return problems;
    }
    const std::size_t n = bytes.size() / kind->recordSize;
    for (std::size_t k = 0; k < n; ++k) {
        checkFields(c, k, bytes.subspan(k * kind->recordSize, kind->recordSize), *kind);
    }
    if (const auto y = ParseYearFileName(file)) {
        checkYearFile(c, *y, recordsOf(bytes), sameFolder);
    } else if (BaseName(ToUpperAscii(file)) == "UTENTE.001") {
        if (n > 1) {
            c.file("contiene " + std::to_string(n) +
                   " record: i dati della ditta sono un solo record, gli altri sono ignorati");
        }
    } else if (ToUpperAscii(file).ends_with(".TAB")) {
        // A table entry is found, changed and deleted by its ID.
        std::map<std::int32_t, std::size_t> ids;
        for (std::size_t k = 0; k < n; ++k) {
            const std::int32_t id = GetInt32(bytes, k * kind->recordSize + TableRecord::OffsetID);
            const auto [it, fresh] = ids.emplace(id, k);
            if (!fresh) {
                c.record(k, "ID " + std::to_string(id) + " ripetuto (già nel record " +
                                std::to_string(it->second) + ")");
            }
        }
    }
    // Problems of a record in record order, whatever check found them.
    std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
        return a.record.value_or(0) < b.record.value_or(0);
    });
    return problems;
}

std::vector<Problem> CheckFolder(const std::string& folder,
                                 std::chrono::system_clock::time_point now) {
    std::error_code ec;
    const fs::path root(folder);
    const auto st = fs::status(root, ec);
    if (st.type() == fs::file_type::not_found) {
        throw AdminError("la cartella " + folder + " non esiste");
    }
    if (ec || st.type() != fs::file_type::directory) {
        throw AdminError(folder + " non è una cartella leggibile" +
                         (ec ? " (" + ec.message() + ")" : std::string()));
    }
    fs::directory_iterator probe(root, ec);
    if (ec) {
        throw AdminError("impossibile leggere la cartella " + folder + " (" + ec.message() + ")");
    }

    std::vector<Problem> problems;
    Walk walk{root, now, problems, {}};
    bool any = false;
    for (const char* sub : {"DATI_GEN", "REGISTRI", "LOG"}) {
        const fs::path p = root / sub;
        if (fs::is_directory(fs::symlink_status(p, ec))) {
            any = true;
            walk.folder(p);
        }
    }
    if (!any) {
        throw AdminError("la cartella " + folder +
                         " non è una cartella di lavoro: non contiene DATI_GEN, REGISTRI né LOG");
    }

    // Each file is read once; the links between year files read their companions
    // from the same cache.
    std::unordered_map<std::string, std::optional<Bytes>> cache;
    const auto read = [&cache](const fs::path& p) -> const std::optional<Bytes>& {
        const std::string key = p.string();
        auto it = cache.find(key);
        if (it == cache.end()) {
            std::optional<Bytes> bytes;
            try {
                bytes = ReadWholeFile(key);
            } catch (const IoError&) {
                bytes.reset();  // reported where the file itself is checked
            }
            it = cache.emplace(key, std::move(bytes)).first;
        }
        return it->second;
    };
    for (const fs::path& p : walk.recordFiles) {
        const std::string rel = relativeName(p, root);
        std::optional<Bytes> bytes;
        try {
            bytes = ReadWholeFile(p.string());
        } catch (const IoError& e) {
            problems.push_back(
                {rel, std::nullopt, std::string("impossibile leggere: ") + e.what()});
            continue;
        }
        if (!bytes) continue;  // removed meanwhile
        cache[p.string()] = bytes;
        const fs::path dir = p.parent_path();
        auto found =
            CheckRecordFile(rel, *bytes, [&](const std::string& name) { return read(dir / name); });
        problems.insert(problems.end(), found.begin(), found.end());
    }
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.file < b.file; });
    return problems;
}

}  // namespace veltrano::admin
