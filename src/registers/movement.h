#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "core/file_io.h"
#include "core/prompt.h"

namespace veltrano {

struct Folders;

// The 552-byte record of every register year file and of the scratch lists.
// Texts are held as UTF-8 and stored as Windows-1252; padding bytes are zero.
struct MovementRecord {
    static constexpr std::size_t kSize = 552;

    std::int32_t NUMMOV = 0;
    std::int32_t NUMRIF = 0;
    std::int32_t NUMAUX = 0;
    double DATFLU = 0;
    std::int32_t NUMFLU = 0;
    std::string TIPRET;  // string[1]
    std::string TIPOPE;  // string[1]
    std::string TIPREC;  // string[1]
    std::string CODPAE;  // string[2]
    double DATMOV = 0;
    std::int32_t NUMCTT = 0;
    std::string TIPMOV;  // string[1]
    std::string NUMDOC;  // string[30]
    std::string TBIRRA;  // string[100]
    double DATPRE = 0;
    double LITPRE = 0;
    double GRAPRE = 0;
    double RESPRE = 0;
    std::int32_t INIZIO = 0;
    std::int32_t FINALE = 0;
    double LITRII = 0;
    double GRAREA = 0;
    std::string LMOSTO;  // string[20]
    std::string ANNOTA;  // string[250]
    double KIWATT = 0;
    double MECUBI = 0;
    double KILOGR = 0;
    double ELITRI = 0;

    // Offsets and widths of the stored layout.
    struct Layout {
        static constexpr std::size_t NUMMOV = 0, NUMRIF = 4, NUMAUX = 8, DATFLU = 16, NUMFLU = 24,
                                     TIPRET = 28, TIPOPE = 30, TIPREC = 32, CODPAE = 34,
                                     DATMOV = 40, NUMCTT = 48, TIPMOV = 52, NUMDOC = 54,
                                     TBIRRA = 85, DATPRE = 192, LITPRE = 200, GRAPRE = 208,
                                     RESPRE = 216, INIZIO = 224, FINALE = 228, LITRII = 232,
                                     GRAREA = 240, LMOSTO = 248, ANNOTA = 269, KIWATT = 520,
                                     MECUBI = 528, KILOGR = 536, ELITRI = 544;
        static constexpr std::size_t wTIPRET = 1, wTIPOPE = 1, wTIPREC = 1, wCODPAE = 2,
                                     wTIPMOV = 1, wNUMDOC = 30, wTBIRRA = 100, wLMOSTO = 20,
                                     wANNOTA = 250;
    };

    Bytes encode() const;
    void encodeInto(MutableByteSpan out) const;
    static MovementRecord decode(ByteSpan in);

    friend bool operator==(const MovementRecord&, const MovementRecord&) = default;
};

void MovementBlank(MovementRecord& rec);

class RecordFile;
// Every record of a movement file, decoded and trimmed as the windows show them.
std::vector<MovementRecord> ReadTrimmedMovements(const RecordFile& file);
void MovementTrim(MovementRecord& rec);
void MovementPad(MovementRecord& rec);

// Inserts rec into the year file at the place of the file's ordering rule, with
// the next number when its NUMMOV is 0; an unsent tax record of the same type and
// period is replaced. rec comes back padded, with its rounded date and number.
// Takes the file's lock marker.
void MovementInsertOrdered(const std::string& path, MovementRecord& rec, Prompt& prompt);

// Removes the first record with that number (the file is unchanged when there is
// none). A brewing batch of a wort file also takes its raw-material unloads out
// of the same year's raw-materials file, under that file's lock marker. Returns
// whether the record was found.
bool MovementDeleteByNumber(std::int32_t number, const std::string& path, const std::string& kind,
                            Prompt& prompt);

// Saving a modification: the edited record replaces `current` (the movement that
// was picked for modification) by delete and insert, possibly in another year's
// file. With current.NUMMOV 0 (a new entry) or -100 (an import) the delete is
// skipped. `extension` names the register ("CTT", "MPR", "CND"...).
void SaveMovement(const Folders& folders, const std::string& extension,
                  const MovementRecord& current, MovementRecord& edited, Prompt& prompt);

// The one movement shared between windows: the one picked for modification or
// cancellation, or pre-filled by an import (NUMMOV 0 for a new entry, -100 for an
// imported one).
MovementRecord& CurrentMovement();

}  // namespace veltrano
