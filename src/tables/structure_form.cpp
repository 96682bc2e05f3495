#include "tables/structure_form.h"

#include "core/bytes.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "core/table_record.h"
#include "core/values.h"
#include "tables/csv_import.h"

namespace veltrano {
namespace {

std::string Row(int k) {
    return std::to_string(k);
}

}  // namespace

bool IsValidTableName(const std::string& name) {
    const std::string n = TrimText(name);
    if (n.empty() || n < "0") return false;
    for (char c : n) {
        const bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                        (c >= 'a' && c <= 'z') || c == '_' || c == '-';
        if (!ok) return false;
    }
    return true;
}

StructureEditorForm::StructureEditorForm(Session& session, UserDialogs& dialogs)
    : FormModel(dialogs, "TFSTRUTAB", "STRUTTURA DELLE TABELLE"), session_(session) {
    FieldSpec name;
    name.name = "E02250";
    name.caption = "NOME TABELLA";
    name.maxLength = 20;
    name.letterCase = LetterCase::Upper;
    addField(name);
    FieldSpec title;
    title.name = "E12250";
    title.caption = "TITOLO TABELLA";
    title.maxLength = 250;
    addField(title);
    FieldSpec columns;
    columns.name = "E22250";
    columns.caption = "NOMI DEI CAMPI SEPARATI DA ;";
    columns.maxLength = 250;
    addField(columns);
    FieldSpec keys;
    keys.name = "ICHIAVE";
    keys.caption = "N° DEI CAMPI  DI RICERCA";
    keys.kind = FieldKind::Integer;
    keys.maxLength = 1;
    addField(keys);
    for (int k = 1; k <= 10; ++k) {
        FieldSpec size;
        size.name = "DIM" + Row(k);
        size.caption = "C " + Row(k);
        size.kind = FieldKind::Integer;
        size.maxLength = 3;
        if (k == 1) size.heading = "DIM  /  ETICHETTA CAMPO";
        addField(size);
        FieldSpec label;
        label.name = "ETI" + Row(k);
        label.caption = "ETICHETTA CAMPO";
        label.maxLength = 250;
        label.besideOf = size.name;
        addField(label);
    }
    addButton({"BIMPORTA", "&Importa CSV",
               "Sostituisce la tabella con il file <nome>.CSV di DATI_GEN", ""});
}

void StructureEditorForm::emptyOthers() {
    set("E12250", "");
    set("E22250", "");
    set("ICHIAVE", "");
    for (int k = 1; k <= 10; ++k) {
        set("DIM" + Row(k), "");
        set("ETI" + Row(k), "");
    }
}

void StructureEditorForm::empty() {
    set("E02250", "");
    emptyOthers();
    focusOn("E02250");
}

void StructureEditorForm::onOpen() {
    empty();
}

Check StructureEditorForm::onLeave(const std::string& field) {
    if (field != "E02250") return Check::Pass();
    const std::string name = TrimText(text("E02250"));
    if (!IsValidTableName(name)) return Check::StayOn("E02250");
    const auto structure = ReadTableStructure(session_.folders, name);
    emptyOthers();
    if (structure) {
        set("E12250", structure->title);
        set("E22250", structure->columns);
        set("ICHIAVE", std::to_string(structure->searchFields));
        for (int k = 1; k <= 10; ++k) {
            const auto i = static_cast<std::size_t>(k - 1);
            set("DIM" + Row(k), std::to_string(structure->sizes[i]));
            set("ETI" + Row(k), structure->labels[i]);
        }
    }
    return Check::Pass();
}

Check StructureEditorForm::onReachConfirm() {
    if (!IsValidTableName(text("E02250"))) return Check::StayOn("E02250");
    return Check::Pass();
}

void StructureEditorForm::onConfirm() {
    TableStructure s;
    s.name = TrimText(text("E02250"));
    s.title = text("E12250");
    s.columns = text("E22250");
    s.searchFields = ParseInteger(text("ICHIAVE"));
    for (int k = 1; k <= 10; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        s.sizes[i] = ParseInteger(text("DIM" + Row(k)));
        s.labels[i] = text("ETI" + Row(k));
    }
    RecordFile file =
        RecordFile::Empty(JoinPath(session_.folders.datiGen, s.name + ".STR"), TableRecord::kSize);
    file.append(s.toRecord().encode());
    file.commit(true);
    empty();
}

void StructureEditorForm::onPress(const std::string& button) {
    if (button != "BIMPORTA") return;
    const std::string name = TrimText(text("E02250"));
    if (!IsValidTableName(name)) {
        focusOn("E02250");
        return;
    }
    const CsvRead read = ImportTableCsv(session_.folders, name, dialogs());
    if (!read.ok()) {
        dialogs().warn(read.error);
        return;
    }
    dialogs().inform("IMPORTAZIONE COMPLETATA: " + std::to_string(read.records.size()) +
                     " RIGHE NELLA TABELLA " + name);
    empty();
}

}  // namespace veltrano
