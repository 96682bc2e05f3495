#include "tables/excise_rates.h"

#include <cmath>

#include "core/bytes.h"
#include "core/dates.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "core/values.h"
#include "tables/table_edit.h"

namespace veltrano {
namespace {

// The day of a binary date, without its time; nothing for a value that is no date.
std::optional<double> DayOf(double serial) {
    if (!DecodeDate(serial)) return std::nullopt;
    return std::floor(serial);
}

}  // namespace

std::string ExciseTablePath(const Folders& folders) {
    return JoinPath(folders.datiGen, "ACCISE.TAB");
}

bool FindExciseRate(const Folders& folders, const TableRecord& rec, int mode,
                    TableRecord& working) {
    TableBlank(working);
    const RecordFile file = RecordFile::OpenOrCreate(ExciseTablePath(folders), TableRecord::kSize);
    const auto day = DayOf(rec.REALI1[0]);
    if (!day) return false;
    bool any = false;
    for (std::size_t k = 0; k < file.count(); ++k) {
        const ByteSpan r = file.record(k);
        const auto start = DayOf(GetDouble(r, TableRecord::OffsetREALI1(0)));
        if (!start) continue;  // a damaged entry starts no rate
        if (mode == kRateExact) {
            if (*start == *day) {
                working = TableRecord::decode(r);
                return true;
            }
        } else if (*start <= *day) {
            working = TableRecord::decode(r);
            any = true;
        }
    }
    if (mode == kRateExact) return false;
    return any && working.REALI1[1] > 0.001;
}

ExciseRateForm::ExciseRateForm(Session& session, UserDialogs& dialogs)
    : TableEntryForm(session, dialogs, "TFTABACCISE", "Tabella delle Accise") {
    FieldSpec date;
    date.name = "R10";
    date.caption = "Dalla data";
    date.kind = FieldKind::Date;
    addField(date);
    FieldSpec rate;
    rate.name = "R11";
    rate.caption = "Importo dell'accisa ridotta / Hlg";
    rate.kind = FieldKind::Amount;
    rate.maxLength = 20;
    addField(rate);
    addEntryControls("Elenco", "R10");
}

void ExciseRateForm::onOpen() {
    set("R10", FormatDate(session_.clock.today()));
    if (!ReadTableStructure(session_.folders, "ACCISE")) {
        dialogs().warn(kStructureMissing);
        close();
        return;
    }
    clear();
}

void ExciseRateForm::clear() {
    TableBlank(edited_);
    set("R11", "");
    stopEditing();
    focusOn("R10");
}

void ExciseRateForm::takeDate(double date) {
    edited_.REALI1[0] = Rounded(date, 2);
    if (editing()) return;
    TableRecord found;
    if (FindExciseRate(session_.folders, edited_, kRateExact, found)) {
        startEditing(found);
        set("R11", FormatNumber(found.REALI1[1], 0, 0));
    }
}

Check ExciseRateForm::onLeave(const std::string& field) {
    if (field == "R10") {
        const auto date = ParseDate(text("R10"));
        if (!date) return Check::StayOn("R10");
        takeDate(*date);
    } else if (field == "R11") {
        edited_.REALI1[1] = ParseDecimal(text("R11"), 5);
    }
    return Check::Pass();
}

Check ExciseRateForm::onReachConfirm() {
    if (suspended()) return Check::StayOn("");
    TableBlank(edited_);
    const auto date = ParseDate(text("R10"));
    if (!date) {
        dialogs().warn("DATA ERRATA");
        return Check::StayOn("R10");
    }
    edited_.REALI1[0] = Rounded(*date, 2);
    edited_.REALI1[1] = ParseDecimal(text("R11"), 5);
    if (edited_.REALI1[1] < 0.000009) {
        dialogs().warn("IMPORTO ERRATO");
        return Check::StayOn("R10");
    }
    // No two entries start on the same day: neither a changed date of an edited
    // entry nor a new entry whose date was never checked on leaving the field.
    const bool moved = editing() && DayOf(editedCopy_.REALI1[0]) != DayOf(edited_.REALI1[0]);
    if (moved || !editing()) {
        TableRecord found;
        if (FindExciseRate(session_.folders, edited_, kRateExact, found) &&
            (!editing() || found.ID != editingId_)) {
            dialogs().warn("IMPORTO ACCISA GIA` PRESENTE");
            return Check::StayOn("R10");
        }
    }
    return Check::Pass();
}

void ExciseRateForm::onConfirm() {
    TableRecord rec = edited_;
    rec.ID = 0;
    const double start = rec.REALI1[0];
    const auto day = DayOf(start);
    const auto follows = [start](const TableRecord& stored) { return stored.REALI1[0] > start; };
    const auto sameDay = [day](const TableRecord& other) { return DayOf(other.REALI1[0]) == day; };
    if (TableReplaceEntry(ExciseTablePath(session_.folders), editing() ? editingId_ : 0, rec,
                          follows, dialogs(), sameDay) == EditOutcome::KeyInUse) {
        dialogs().warn("IMPORTO ACCISA GIA` PRESENTE");
        focusOn("R10");
        return;
    }
    stopEditing();
    dialogs().chooseFromList("ACCISE");
    close();
}

void ExciseRateForm::onPress(const std::string& button) {
    if (button == "BSVUOTA") {
        clear();
    } else if (button == "BCANCELLA") {
        if (editing()) TableDeleteById(editingId_, ExciseTablePath(session_.folders), dialogs());
        clear();
    } else if (button == "BELENCA") {
        keyPressed();
        const int id = dialogs().chooseFromList("ACCISE");
        if (id >= 0) {
            if (auto entry = TableFindById(id, ExciseTablePath(session_.folders))) {
                set("R10", FormatDate(entry->REALI1[0]));
                takeDate(entry->REALI1[0]);
            }
        }
        focusOn("R10");
    }
}

}  // namespace veltrano
