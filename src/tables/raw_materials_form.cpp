#include "tables/raw_materials_form.h"

#include "core/bytes.h"
#include "tables/table_edit.h"

namespace veltrano {

std::string RawMaterialsPath(const Folders& folders) {
    return JoinPath(folders.datiGen, "MATPRIME.TAB");
}

RawMaterialsForm::RawMaterialsForm(Session& session, UserDialogs& dialogs)
    : TableEntryForm(session, dialogs, "TFMATPRI", "Tabella Materie Prime") {
    FieldSpec name;
    name.name = "LE1";
    name.caption = "Materia Prima";
    name.maxLength = 40;
    name.letterCase = LetterCase::Upper;
    addField(name);
    addEntryControls("&Elenca", "LE1");
}

void RawMaterialsForm::onOpen() {
    insertion_ = TableMode::Parse(session_.mode).insertion;
    clear();
}

void RawMaterialsForm::clear() {
    TableBlank(edited_);
    edited_.STR2[0] = "MATPRIME";
    set("LE1", "");
    stopEditing();
    focusOn("LE1");
}

void RawMaterialsForm::lookUp() {
    if (editing()) return;
    edited_.STR1[0] = text("LE1");
    TablePad(edited_);
    if (auto found = TableKeyExists(edited_, "MATPRIME", session_.folders, dialogs())) {
        TableRecord entry = *found;
        TableTrim(entry);
        startEditing(entry);
        set("LE1", entry.STR1[0]);
    }
}

Check RawMaterialsForm::onLeave(const std::string& field) {
    if (field != "LE1") return Check::Pass();
    if (TrimText(text("LE1")).empty()) return Check::StayOn("LE1");
    lookUp();
    return Check::Pass();
}

Check RawMaterialsForm::onReachConfirm() {
    const std::string name = TrimText(text("LE1"));
    if (name.empty()) return Check::StayOn("LE1");
    const bool renamed = editing() && !SameKey(name, editedCopy_.STR1[0]);
    if (renamed || !editing()) {
        if (FindEntryByName(RawMaterialsPath(session_.folders), name, editing() ? editingId_ : 0)) {
            dialogs().warn(kCodeInUse);
            return Check::StayOn("LE1");
        }
    }
    return Check::Pass();
}

void RawMaterialsForm::onConfirm() {
    TableRecord rec;
    TableBlank(rec);
    rec.STR1[0] = TrimText(text("LE1"));
    rec.STR2[0] = "MATPRIME";
    const std::string name = rec.STR1[0];
    const auto inUse = [&](const TableRecord& other) { return SameKey(other.STR1[0], name); };
    if (TableReplaceEntry(RawMaterialsPath(session_.folders), editing() ? editingId_ : 0, rec,
                          FollowsByKey(rec), dialogs(), inUse) == EditOutcome::KeyInUse) {
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

void RawMaterialsForm::onPress(const std::string& button) {
    if (button == "BSVUOTA") {
        clear();
    } else if (button == "BCANCELLA") {
        if (editing()) TableDeleteById(editingId_, RawMaterialsPath(session_.folders), dialogs());
        clear();
    } else if (button == "BELENCA") {
        keyPressed();
        const int id = dialogs().chooseFromList("MATPRIME");
        if (id >= 0) {
            if (auto entry = TableFindById(id, RawMaterialsPath(session_.folders))) {
                set("LE1", TrimText(entry->STR1[0]));
                lookUp();
            }
        }
        focusOn("LE1");
    }
}

}  // namespace veltrano
