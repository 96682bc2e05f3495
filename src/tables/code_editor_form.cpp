#include "tables/code_editor_form.h"

#include "core/bytes.h"
#include "tables/table_edit.h"

namespace veltrano {
namespace {

// A structure that cannot be read counts as missing; open() says so.
std::optional<TableStructure> StructureOf(const Session& session, const std::string& mode) {
    try {
        return ReadTableStructure(session.folders, TrimText(TableMode::Parse(mode).table));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string CaptionOf(const Session& session, const std::string& mode) {
    const auto s = StructureOf(session, mode);
    return s && !s->title.empty() ? s->title : std::string("CODICI");
}

}  // namespace

CodeEditorForm::CodeEditorForm(Session& session, UserDialogs& dialogs, const std::string& mode)
    : TableEntryForm(session, dialogs, "TFCODICI", CaptionOf(session, mode)) {
    const TableMode m = TableMode::Parse(mode);
    table_ = TrimText(m.table);
    insertion_ = m.insertion;
    structure_ = StructureOf(session, mode);
    std::array<int, 2> sizes{40, 40};
    std::array<std::string, 2> labels{"Codice", "Descrizione"};
    if (structure_) {
        for (std::size_t k = 0; k < 2; ++k) {
            sizes[k] = std::clamp(structure_->sizes[k], 0, 250);
            labels[k] = structure_->labels[k];
        }
    }
    FieldSpec code;
    code.name = "LE1";
    code.caption = labels[0];
    code.maxLength = sizes[0] > 0 ? sizes[0] : 250;
    code.letterCase = LetterCase::Upper;
    addField(code);
    FieldSpec text;
    text.name = "LE2";
    text.caption = labels[1];
    text.maxLength = sizes[1] > 0 ? sizes[1] : 250;
    addField(text);
    addEntryControls("&Elenca", "LE1");
    if (structure_ && structure_->sizes[1] <= 0) setVisible("LE2", false);
}

std::string CodeEditorForm::tablePath() const {
    return JoinPath(session_.folders.datiGen, table_ + ".TAB");
}

void CodeEditorForm::onOpen() {
    if (!structure_) {
        dialogs().warn(kStructureMissing);
        close();
        return;
    }
    clear();
}

void CodeEditorForm::clear() {
    TableBlank(edited_);
    edited_.STR2[0] = table_;
    set("LE1", "");
    set("LE2", "");
    stopEditing();
    focusOn("LE1");
}

TableRecord CodeEditorForm::keyRecord() const {
    TableRecord key;
    TableBlank(key);
    key.STR1[0] = text("LE1");
    key.STR1[1] = text("LE2");
    return key;
}

Check CodeEditorForm::onLeave(const std::string& field) {
    if (field != "LE1") return Check::Pass();
    if (TrimText(text("LE1")).empty()) return Check::StayOn("LE1");
    if (!editing()) {
        if (auto found = TableKeyExists(keyRecord(), table_, session_.folders, dialogs())) {
            TableRecord entry = *found;
            TableTrim(entry);
            startEditing(entry);
            edited_ = entry;
            set("LE1", entry.STR1[0]);
            set("LE2", entry.STR1[1]);
        }
    }
    return Check::Pass();
}

Check CodeEditorForm::onReachConfirm() {
    const std::string code = TrimText(text("LE1"));
    if (code.empty()) return Check::StayOn("LE1");
    edited_.STR1[0] = text("LE1");
    edited_.STR1[1] = text("LE2");
    edited_.STR2[0] = table_;
    // A code used by another entry: when renaming an entry, and also for a new
    // entry whose code was never checked on leaving the field.
    const bool renamed = editing() && !SameKey(code, editedCopy_.STR1[0]);
    if (renamed || !editing()) {
        if (FindEntryByName(tablePath(), code, editing() ? editingId_ : 0)) {
            dialogs().warn(kCodeInUse);
            return Check::StayOn("LE1");
        }
    }
    return Check::Pass();
}

void CodeEditorForm::onConfirm() {
    TableRecord rec = edited_;
    rec.ID = editing() ? editingId_ : 0;
    const std::int32_t oldId = editing() ? editingId_ : 0;
    const std::string code = rec.STR1[0];
    const auto inUse = [&](const TableRecord& other) { return SameKey(other.STR1[0], code); };
    if (TableReplaceEntry(tablePath(), oldId, rec, FollowsByKey(rec), dialogs(), inUse) ==
        EditOutcome::KeyInUse) {
        dialogs().warn(kCodeInUse);
        focusOn("LE1");
        return;
    }
    if (insertion_) {
        setResultEntry(rec);
        setResultId(rec.ID);
        close();
        return;
    }
    clear();
}

void CodeEditorForm::onPress(const std::string& button) {
    if (button == "BSVUOTA") {
        clear();
    } else if (button == "BCANCELLA") {
        if (editing()) TableDeleteById(editingId_, tablePath(), dialogs());
        clear();
    } else if (button == "BELENCA") {
        keyPressed();
        const int id = dialogs().chooseFromList(table_);
        std::optional<TableRecord> entry;
        if (id >= 0) entry = TableFindById(id, tablePath());
        set("LE1", entry ? TrimText(entry->STR1[0]) : std::string());
        focusOn("LE1");
    }
}

}  // namespace veltrano
