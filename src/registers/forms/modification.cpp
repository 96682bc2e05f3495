#include "registers/forms/modification.h"

#include "core/record_file.h"
#include "registers/year_files.h"

namespace veltrano {

TransferPartsRecord& TransferParts() {
    static TransferPartsRecord parts;
    return parts;
}

std::optional<ModificationTarget> PrepareModification(const Folders& folders, char state, int year,
                                                      int nummov) {
    if (state != 'M' && state != 'N') return std::nullopt;
    const std::string path = YearFilePath(folders, year, state == 'M' ? "CTT" : "CND");
    const RecordFile file = RecordFile::OpenIfPresent(path, MovementRecord::kSize);
    std::optional<MovementRecord> found;
    for (std::size_t k = 0; k < file.count() && !found; ++k) {
        if (GetInt32(file.record(k), MovementRecord::Layout::NUMMOV) == nummov) {
            found = MovementRecord::decode(file.record(k));
        }
    }
    if (!found) return std::nullopt;
    CurrentMovement() = *found;
    const std::string kind = TrimText(found->TIPMOV);
    if (state == 'M') {
        return ModificationTarget{kind == "C" ? "TFPRODUZIONE" : "TFLAVAGGIO", "M"};
    }
    if (kind == "C") return ModificationTarget{"TFCONDIZIONAMENTO", "1"};
    if (kind == "S") return ModificationTarget{"TFCONDIZIONAMENTO", "2"};
    if (kind == "R") return ModificationTarget{"TFCONDIZIONAMENTO", "3"};
    if (kind == "E") return ModificationTarget{"TFCONDIZIONAMENTO", "4"};
    if (kind == "Z") return ModificationTarget{"TFSCARTO", "M"};
    if (kind == "G") return ModificationTarget{"TFCAUZIONE", "M"};
    if (kind == "e") return ModificationTarget{"TFNOTARICEVIMENTO", "M"};
    if (kind == "I") {
        TransferPartsRecord parts;
        for (std::size_t k = 0; k < file.count(); ++k) {
            const ByteSpan r = file.record(k);
            if (GetInt32(r, MovementRecord::Layout::NUMRIF) != nummov) continue;
            const std::string part = TrimText(GetRawString(r, MovementRecord::Layout::TIPMOV, 1));
            if (part == "K" && !parts.load) parts.load = MovementRecord::decode(r);
            if (part == "Z" && !parts.waste) parts.waste = MovementRecord::decode(r);
        }
        TransferParts() = parts;
        return ModificationTarget{"TFTRAVASI", "M"};
    }
    return std::nullopt;
}

void RunModification(Session& session, UserDialogs& dialogs, char state, int nummov, int year) {
    const auto target = PrepareModification(session.folders, state, year, nummov);
    if (!target) return;
    session.mode = target->mode;
    dialogs.open(target->window, target->mode);
}

}  // namespace veltrano
