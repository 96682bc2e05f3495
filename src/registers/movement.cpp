#include "registers/movement.h"

#include <algorithm>

#include "core/folders.h"
#include "core/lock.h"
#include "core/record_file.h"
#include "core/values.h"
#include "registers/year_files.h"

namespace veltrano {

using L = MovementRecord::Layout;

Bytes MovementRecord::encode() const {
    Bytes out(kSize, 0);
    encodeInto(out);
    return out;
}

void MovementRecord::encodeInto(MutableByteSpan out) const {
    std::fill(out.begin(), out.begin() + kSize, std::uint8_t{0});
    PutInt32(out, L::NUMMOV, NUMMOV);
    PutInt32(out, L::NUMRIF, NUMRIF);
    PutInt32(out, L::NUMAUX, NUMAUX);
    PutDouble(out, L::DATFLU, DATFLU);
    PutInt32(out, L::NUMFLU, NUMFLU);
    PutText(out, L::TIPRET, L::wTIPRET, TIPRET);
    PutText(out, L::TIPOPE, L::wTIPOPE, TIPOPE);
    PutText(out, L::TIPREC, L::wTIPREC, TIPREC);
    PutText(out, L::CODPAE, L::wCODPAE, CODPAE);
    PutDouble(out, L::DATMOV, DATMOV);
    PutInt32(out, L::NUMCTT, NUMCTT);
    PutText(out, L::TIPMOV, L::wTIPMOV, TIPMOV);
    PutText(out, L::NUMDOC, L::wNUMDOC, NUMDOC);
    PutText(out, L::TBIRRA, L::wTBIRRA, TBIRRA);
    PutDouble(out, L::DATPRE, DATPRE);
    PutDouble(out, L::LITPRE, LITPRE);
    PutDouble(out, L::GRAPRE, GRAPRE);
    PutDouble(out, L::RESPRE, RESPRE);
    PutInt32(out, L::INIZIO, INIZIO);
    PutInt32(out, L::FINALE, FINALE);
    PutDouble(out, L::LITRII, LITRII);
    PutDouble(out, L::GRAREA, GRAREA);
    PutText(out, L::LMOSTO, L::wLMOSTO, LMOSTO);
    PutText(out, L::ANNOTA, L::wANNOTA, ANNOTA);
    PutDouble(out, L::KIWATT, KIWATT);
    PutDouble(out, L::MECUBI, MECUBI);
    PutDouble(out, L::KILOGR, KILOGR);
    PutDouble(out, L::ELITRI, ELITRI);
}

MovementRecord MovementRecord::decode(ByteSpan in) {
    MovementRecord r;
    r.NUMMOV = GetInt32(in, L::NUMMOV);
    r.NUMRIF = GetInt32(in, L::NUMRIF);
    r.NUMAUX = GetInt32(in, L::NUMAUX);
    r.DATFLU = GetDouble(in, L::DATFLU);
    r.NUMFLU = GetInt32(in, L::NUMFLU);
    r.TIPRET = GetText(in, L::TIPRET, L::wTIPRET);
    r.TIPOPE = GetText(in, L::TIPOPE, L::wTIPOPE);
    r.TIPREC = GetText(in, L::TIPREC, L::wTIPREC);
    r.CODPAE = GetText(in, L::CODPAE, L::wCODPAE);
    r.DATMOV = GetDouble(in, L::DATMOV);
    r.NUMCTT = GetInt32(in, L::NUMCTT);
    r.TIPMOV = GetText(in, L::TIPMOV, L::wTIPMOV);
    r.NUMDOC = GetText(in, L::NUMDOC, L::wNUMDOC);
    r.TBIRRA = GetText(in, L::TBIRRA, L::wTBIRRA);
    r.DATPRE = GetDouble(in, L::DATPRE);
    r.LITPRE = GetDouble(in, L::LITPRE);
    r.GRAPRE = GetDouble(in, L::GRAPRE);
    r.RESPRE = GetDouble(in, L::RESPRE);
    r.INIZIO = GetInt32(in, L::INIZIO);
    r.FINALE = GetInt32(in, L::FINALE);
    r.LITRII = GetDouble(in, L::LITRII);
    r.GRAREA = GetDouble(in, L::GRAREA);
    r.LMOSTO = GetText(in, L::LMOSTO, L::wLMOSTO);
    r.ANNOTA = GetText(in, L::ANNOTA, L::wANNOTA);
    r.KIWATT = GetDouble(in, L::KIWATT);
    r.MECUBI = GetDouble(in, L::MECUBI);
    r.KILOGR = GetDouble(in, L::KILOGR);
    r.ELITRI = GetDouble(in, L::ELITRI);
    return r;
}

namespace {

template <typename F>
void forEachText(MovementRecord& r, F f) {
    f(r.TIPRET, L::wTIPRET);
    f(r.TIPOPE, L::wTIPOPE);
    f(r.TIPREC, L::wTIPREC);
    f(r.CODPAE, L::wCODPAE);
    f(r.TIPMOV, L::wTIPMOV);
    f(r.NUMDOC, L::wNUMDOC);
    f(r.TBIRRA, L::wTBIRRA);
    f(r.LMOSTO, L::wLMOSTO);
    f(r.ANNOTA, L::wANNOTA);
}

std::string padded(ByteSpan r, std::size_t off, std::size_t width) {
    return PaddedRawString(r, off, width);
}

bool isTaxRecordType(const std::string& tiprec) {
    return tiprec == "E" || tiprec == "R";
}
bool isLoad(const std::string& tipmov) {
    return tipmov == "C" || tipmov == "R";
}

// Where rec goes in file: the index to insert before, or to replace.
struct Place {
    std::size_t index;
    bool replace;
};

Place findPlace(const RecordFile& file, YearFileKind kind, ByteSpan rec, double recDate,
                std::int32_t recFinale) {
    const std::string recTipmov = padded(rec, L::TIPMOV, L::wTIPMOV);
    const std::string recTiprec = padded(rec, L::TIPREC, L::wTIPREC);
    const std::string recCodpae = padded(rec, L::CODPAE, L::wCODPAE);
    const bool taxRecord = isTaxRecordType(recTiprec);
    const std::size_t n = file.count();
    for (std::size_t k = 0; k < n; ++k) {
        const ByteSpan r = file.record(k);
        double date = GetDouble(r, L::DATMOV);
        RoundTo(date, 0);
        if (date > recDate) return {k, false};
        if (date == recDate) {
            switch (kind) {
                case YearFileKind::RawMaterials:
                    if (recTipmov == "C" && padded(r, L::TIPMOV, L::wTIPMOV) == "S")
                        return {k, false};
                    break;
                case YearFileKind::Wort:
                    if (GetInt32(r, L::INIZIO) >= recFinale) return {k, false};
                    break;
                case YearFileKind::Conditioned:
                    if (isLoad(recTipmov) && !isLoad(padded(r, L::TIPMOV, L::wTIPMOV))) {
                        return {k, false};
                    }
                    break;
                case YearFileKind::Other:
                    break;
            }
        }
        if (!taxRecord) continue;
        const std::string codpae = padded(r, L::CODPAE, L::wCODPAE);
        if (codpae.compare(recCodpae) > 0) return {k, false};
        if (GetInt32(r, L::NUMFLU) == 0 && padded(r, L::TIPRET, L::wTIPRET) != "C" &&
            padded(r, L::TIPOPE, L::wTIPOPE) == "I" &&
            padded(r, L::TIPREC, L::wTIPREC) == recTiprec && codpae == recCodpae) {
            return {k, true};
        }
    }
    return {n, false};
}

}  // namespace

void MovementBlank(MovementRecord& rec) {
    rec = MovementRecord{};
    forEachText(rec, [](std::string& s, std::size_t width) { s.assign(width, ' '); });
}

std::vector<MovementRecord> ReadTrimmedMovements(const RecordFile& file) {
    std::vector<MovementRecord> out;
    out.reserve(file.count());
    for (std::size_t k = 0; k < file.count(); ++k) {
        out.push_back(MovementRecord::decode(file.record(k)));
        MovementTrim(out.back());
    }
    return out;
}

void MovementTrim(MovementRecord& rec) {
    forEachText(rec, [](std::string& s, std::size_t) { s = TrimText(s); });
}

void MovementPad(MovementRecord& rec) {
    forEachText(rec, [](std::string& s, std::size_t width) { s = PadText(s, width); });
}

void MovementInsertOrdered(const std::string& path, MovementRecord& rec, Prompt& prompt) {
    MovementPad(rec);
    RoundTo(rec.DATMOV, 0);
    FileLock lock(path, prompt);
    RecordFile file = RecordFile::OpenOrCreate(path, MovementRecord::kSize);
    if (rec.NUMMOV == 0) {
        std::int32_t top = 0;
        for (std::size_t k = 0; k < file.count(); ++k) {
            top = std::max(top, GetInt32(file.record(k), L::NUMMOV));
        }
        rec.NUMMOV = top + 1;
    }
    const Bytes encoded = rec.encode();
    const Place place = findPlace(file, YearFileKindOf(path), encoded, rec.DATMOV, rec.FINALE);
    if (place.replace) {
        file.updateAt(place.index, encoded);
    } else {
        file.insertAt(place.index, encoded);
    }
    file.commit();
    lock.release();
}

namespace {

bool eraseByNumber(RecordFile& file, std::int32_t number) {
    for (std::size_t k = 0; k < file.count(); ++k) {
        if (GetInt32(file.record(k), L::NUMMOV) == number) {
            file.eraseAt(k);
            return true;
        }
    }
    return false;
}

}  // namespace

bool MovementDeleteByNumber(std::int32_t number, const std::string& path, const std::string& kind,
                            Prompt& prompt) {
    const bool batch = YearFileKindOf(path) == YearFileKind::Wort && TrimText(kind) == "C";
    FileLock lock(path, prompt);
    RecordFile file = RecordFile::OpenOrCreate(path, MovementRecord::kSize);
    const bool found = eraseByNumber(file, number);
    if (!batch) {
        file.commit();
        lock.release();
        return found;
    }
    // A brewing batch takes its unloads with it. Both files are read, and checked,
    // before either is written, so a damaged raw-materials file stops the whole
    // deletion instead of leaving the batch's unloads behind.
    const std::string mpr = CompanionRawMaterialsPath(path);
    if (!FileExists(mpr)) {
        file.commit();
        lock.release();
        return found;
    }
    FileLock mprLock(mpr, prompt);
    RecordFile unloads = RecordFile::OpenOrCreate(mpr, MovementRecord::kSize);
    unloads.keepIf([number](ByteSpan r) { return GetInt32(r, L::NUMRIF) != number; });
    file.commit();
    unloads.commit();
    mprLock.release();
    lock.release();
    return found;
}

void SaveMovement(const Folders& folders, const std::string& extension,
                  const MovementRecord& current, MovementRecord& edited, Prompt& prompt) {
    if (current.NUMMOV != 0 && current.NUMMOV != -100) {
        MovementDeleteByNumber(current.NUMMOV, YearFilePathFor(folders, current.DATMOV, extension),
                               current.TIPMOV, prompt);
    }
    edited.NUMMOV = 0;
    RoundTo(edited.DATMOV, 0);  // the rounded day names the year file
    MovementInsertOrdered(YearFilePathFor(folders, edited.DATMOV, extension), edited, prompt);
}

MovementRecord& CurrentMovement() {
    static MovementRecord current = [] {
        MovementRecord r;
        MovementBlank(r);
        return r;
    }();
    return current;
}

}  // namespace veltrano
