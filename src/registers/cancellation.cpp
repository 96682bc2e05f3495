#include "registers/cancellation.h"

#include <algorithm>
#include <map>

#include "core/dates.h"
#include "core/folders.h"
#include "core/io_error.h"
#include "core/lock.h"
#include "core/record_file.h"
#include "core/values.h"
#include "registers/year_files.h"

namespace veltrano {
namespace {

using L = MovementRecord::Layout;

std::string num(double x) {
    return FormatNumber(x, 0, 0);
}
std::string num2(double x) {
    return FormatNumber(x, 0, 2);
}

std::string wortLine(const MovementRecord& r) {
    if (r.TIPMOV == "C") {
        return " COTTA del " + FormatDate(r.DATMOV) + " litri " + num(r.LITRII) + " | gr.pl. " +
               num(r.GRAREA) + " lotto " + r.LMOSTO + " - " + r.TBIRRA;
    }
    return " LAVAGGIO del " + FormatDate(r.DATMOV) + " - iniziale " + std::to_string(r.INIZIO) +
           "  finale " + std::to_string(r.FINALE) + "  litri acqua " + num(r.LITRII);
}

std::string rawMaterialLine(const MovementRecord& r) {
    return std::string(r.TIPMOV == "C" ? " CARICO del " : " SCARICO del ") + FormatDate(r.DATMOV) +
           " quantità " + num(r.LITRII) + " | " + r.TBIRRA + " | " + FormatDate(r.DATPRE) + " " +
           r.NUMDOC + " | " + r.ANNOTA;
}

std::string preventiveLine(const MovementRecord& r) {
    const std::string sent =
        r.DATPRE >= 10000 ? FormatDate(r.DATPRE) + " ore " + r.LMOSTO : std::string("non inviata");
    return FormatDate(r.DATMOV) + " N° " + std::to_string(r.NUMCTT) + " " + r.TBIRRA +
           " quantità " + num(r.LITPRE) + " --> " + sent;
}

std::string conditionedLine(const MovementRecord& r) {
    if (r.TIPMOV == "G") {
        return r.TIPMOV + " " + FormatDate(r.DATMOV) + " " + r.NUMDOC + " versamento cauzione " +
               num2(r.DATPRE);
    }
    const std::string volume = r.LITPRE < 0.0001 ? std::string("SFUSO") : num(r.LITPRE);
    return r.TIPMOV + " " + FormatDate(r.DATMOV) + " " + r.NUMDOC + " " + r.LMOSTO + " Hlg " +
           num(r.LITRII) + " cont. " + std::to_string(r.FINALE) + "x vol. " + volume + " accisa " +
           num2(r.KIWATT) + " " + r.TBIRRA;
}

std::string taxLine(const MovementRecord& r, int year) {
    const std::string period = r.CODPAE + "/" + std::to_string(year);
    if (r.TIPREC == "R") {
        return period + " ravvedimento |maggiori tributi: " + num2(r.LITPRE) +
               " |sanzione: " + num2(r.LITRII) + " |interessi: " + num2(r.KIWATT);
    }
    return period + " accisa a debito " + num2(r.KIWATT) + " " + r.ANNOTA;
}

}  // namespace

bool IsCancellationState(char state) {
    return std::string("CPpNTt").find(state) != std::string::npos;
}

std::string CancellationCaption(char state) {
    switch (state) {
        case 'C':
            return "Cancella produzioni e lavaggi ";
        case 'N':
            return "Cancella le operazioni del registro del condizionamento";
        case 'P':
            return "Cancella i movimenti di carico e scarico delle materie prime";
        case 'T':
            return "Cancella i record tributi E,R, non ancora inviati al servizio telematico";
        case 'p':
            return "Cancella le comunicazioni preventive";
        case 't':
            return "Cancella le rettifiche dei tributi E,R, non ancora inviate al servizio "
                   "telematico";
        default:
            return "";
    }
}

std::string CancellationExtension(char state) {
    switch (state) {
        case 'C':
            return "CTT";
        case 'P':
            return "MPR";
        case 'p':
            return "PRV";
        case 'N':
            return "CND";
        case 'T':
        case 't':
            return "DER";
        default:
            return "";
    }
}

CancellationList BuildCancellationList(const Folders& folders, char state, double from, double to) {
    CancellationList list;
    list.state = state;
    list.year = YearOf(to);
    if (!IsCancellationState(state)) return list;
    const RecordFile file = RecordFile::OpenOrCreate(
        YearFilePath(folders, list.year, CancellationExtension(state)), MovementRecord::kSize);
    const std::vector<MovementRecord> records = ReadTrimmedMovements(file);

    if (state == 'T' || state == 't') {
        for (const MovementRecord& r : records) {
            if (r.DATFLU != 0 || r.TIPRET == "C") continue;
            if ((state == 'T') == (r.TIPOPE == "C")) continue;
            list.lines.push_back(taxLine(r, list.year));
            list.records.push_back(r);
        }
        return list;
    }
    // Preventive communications are often dated a few days ahead of the batch.
    const double last = state == 'p' ? to + 5 : to + 0.1;
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        const MovementRecord& r = *it;
        if (r.DATMOV < from - 0.1 || r.DATMOV > last) continue;
        switch (state) {
            case 'C':
                list.lines.push_back(wortLine(r));
                break;
            case 'P':
                list.lines.push_back(rawMaterialLine(r));
                break;
            case 'p':
                list.lines.push_back(preventiveLine(r));
                break;
            default:
                list.lines.push_back(conditionedLine(r));
                break;
        }
        list.records.push_back(r);
    }
    return list;
}

void RestoreRectifiedTaxRecord(const std::string& path, std::int32_t numrif, Prompt& prompt) {
    FileLock lock(path, prompt);
    RecordFile file = RecordFile::OpenOrCreate(path, MovementRecord::kSize);
    file.keepIf([numrif](ByteSpan r) {
        return !(GetInt32(r, L::NUMRIF) == numrif &&
                 PaddedRawString(r, L::TIPRET, L::wTIPRET) == "R");
    });
    for (std::size_t k = 0; k < file.count(); ++k) {
        const ByteSpan r = file.record(k);
        if (GetInt32(r, L::NUMMOV) != numrif || PaddedRawString(r, L::TIPRET, L::wTIPRET) != "C") {
            continue;
        }
        Bytes updated(r.begin(), r.end());
        PutRawString(updated, L::TIPRET, L::wTIPRET, " ");
        file.updateAt(k, updated);
        break;
    }
    file.commit();
    lock.release();
}

CancellationOutcome DeleteTickedMovements(const Folders& folders, const CancellationList& list,
                                          const std::vector<bool>& ticked, Prompt& prompt,
                                          const std::function<void(const MovementRecord&)>& after) {
    CancellationOutcome outcome;
    const std::string path = YearFilePath(folders, list.year, CancellationExtension(list.state));
    try {
        for (std::size_t k = 0; k < list.records.size() && k < ticked.size(); ++k) {
            if (!ticked[k]) continue;
            MovementRecord& current = CurrentMovement();
            current = list.records[k];
            // Only the wort register cascades (a batch's unloads); elsewhere the
            // kind is passed as it is and changes nothing.
            MovementDeleteByNumber(current.NUMMOV, path, current.TIPMOV, prompt);
            // A rectification without a link has nothing to give back; with NUMRIF 0
            // the restore would take every unlinked replacing record with it.
            if (list.state == 't' && current.NUMRIF != 0) {
                RestoreRectifiedTaxRecord(path, current.NUMRIF, prompt);
            }
            outcome.deleted.push_back(k);
            if (after) after(current);
        }
    } catch (const std::exception& e) {
        outcome.error = e.what();
    }
    return outcome;
}

std::vector<MovementRecord> OpenEads(const std::string& conditionedPath) {
    const RecordFile file = RecordFile::OpenIfPresent(conditionedPath, MovementRecord::kSize);
    std::vector<MovementRecord> eads;
    std::map<std::string, std::size_t> byArc;
    for (const MovementRecord& r : ReadTrimmedMovements(file)) {
        if (r.TIPMOV != "E" && r.TIPMOV != "e") continue;
        const auto it = byArc.find(r.NUMDOC);
        if (r.TIPMOV == "E") {
            if (it == byArc.end()) {
                byArc.emplace(r.NUMDOC, eads.size());
                eads.push_back(r);
            } else {
                eads[it->second].DATFLU += r.DATFLU;
                eads[it->second].DATPRE += r.DATPRE;
            }
        } else if (it != byArc.end()) {
            MovementRecord& closed = eads[it->second];
            closed.TIPMOV = "X";
            closed.DATFLU = 0;
            closed.DATPRE = 0;
        }
    }
    std::erase_if(eads, [](const MovementRecord& r) { return r.TIPMOV != "E"; });
    return eads;
}

}  // namespace veltrano
