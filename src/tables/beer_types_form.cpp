#include "tables/beer_types_form.h"

#include "core/bytes.h"
#include "core/cp1252.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "core/values.h"
#include "tables/raw_materials_form.h"
#include "tables/table_edit.h"

namespace veltrano {
namespace {

constexpr std::size_t kQuantityCellLimit = 12;

std::string AutoNumber(double x, double below) {
    return x < below ? std::string() : FormatNumber(x, 0, 0);
}

}  // namespace

std::string BeerTypesPath(const Folders& folders) {
    return JoinPath(folders.datiGen, "PRAZ.TAB");
}

std::string RecipePath(const Folders& folders, std::int32_t id) {
    return JoinPath(folders.datiGen, std::to_string(id) + ".RCT");
}

std::string RecipeWorkingListPath(const Folders& folders) {
    return JoinPath(folders.temp, "RICETTA.APP");
}

std::vector<TableRecord> ReadRecipe(const Folders& folders, std::int32_t beerTypeId) {
    const RecordFile file =
        RecordFile::OpenIfPresent(RecipePath(folders, beerTypeId), TableRecord::kSize);
    std::vector<TableRecord> out;
    for (std::size_t k = 0; k < file.count(); ++k) {
        out.push_back(TableRecord::decode(file.record(k)));
    }
    return out;
}

std::string FilterQuantityText(const std::string& before, const std::string& typed) {
    std::string out;
    bool comma = false;
    for (char c : typed) {
        if (c == '.') c = ',';
        if (c >= '0' && c <= '9') {
            out.push_back(c);
        } else if (c == ',' && !comma) {
            out.push_back(c);
            comma = true;
        }
    }
    // Keys are refused once the cell holds more than 12 characters; deleting
    // is always allowed.
    if (out.size() > kQuantityCellLimit + 1 && out.size() > before.size()) {
        return before.size() > kQuantityCellLimit ? before : out.substr(0, kQuantityCellLimit + 1);
    }
    return out;
}

BeerTypesForm::BeerTypesForm(Session& session, UserDialogs& dialogs)
    : TableEntryForm(session, dialogs, "TFPRODAZ", "Tipi di birra prodotti") {
    FieldSpec type;
    type.name = "LE0";
    type.caption = "Tipo di birra in produzione";
    type.maxLength = 100;
    type.letterCase = LetterCase::Upper;
    addField(type);
    FieldSpec yield;
    yield.name = "R10";
    yield.caption = "Resa percentuale media %";
    yield.kind = FieldKind::Amount;
    yield.maxLength = 20;
    addField(yield);
    FieldSpec plato;
    plato.name = "R11";
    plato.caption = "Grado Plato teorico";
    plato.kind = FieldKind::Amount;
    plato.maxLength = 20;
    addField(plato);
    addEntryControls("&Elenca", "LE0");
    addButton({"BNUOVAMP", "Nuova materia prima", "Inserisce una nuova materia prima", ""});
}

std::string BeerTypesForm::materialName(std::size_t row) const {
    return TrimText(working_.at(row).STR1[0]);
}

void BeerTypesForm::onOpen() {
    insertion_ = TableMode::Parse(session_.mode).insertion;
    clear();
}

void BeerTypesForm::writeWorkingList() const {
    RecordFile file =
        RecordFile::Empty(RecipeWorkingListPath(session_.folders), TableRecord::kSize);
    for (const TableRecord& r : working_)
        file.append(r.encode());
    file.commit(true);
}

void BeerTypesForm::fillCells(bool stars) {
    cells_.clear();
    for (const TableRecord& r : working_) {
        cells_.push_back(stars ? std::string("*") : AutoNumber(r.REALI1[0], 0.0009));
    }
    ++gridRevision_;
}

void BeerTypesForm::clear() {
    const RecordFile materials =
        RecordFile::OpenOrCreate(RawMaterialsPath(session_.folders), TableRecord::kSize);
    working_.clear();
    for (std::size_t k = 0; k < materials.count(); ++k) {
        TableRecord r = TableRecord::decode(materials.record(k));
        r.REALI1[0] = 0;
        working_.push_back(std::move(r));
    }
    writeWorkingList();
    fillCells(true);
    loadedId_.reset();
    TableBlank(edited_);
    edited_.STR2[0] = "PRAZ";
    set("LE0", "");
    set("R10", "");
    set("R11", "");
    stopEditing();
    focusOn("LE0");
}

void BeerTypesForm::loadRecipe(const TableRecord& entry) {
    if (loadedId_ == entry.ID) return;
    // Read first: a recipe file that cannot be read leaves the grid as it was.
    const std::vector<TableRecord> recipe = ReadRecipe(session_.folders, entry.ID);
    loadedId_ = entry.ID;
    for (TableRecord& r : working_)
        r.REALI1[0] = 0;
    for (const TableRecord& saved : recipe) {
        for (TableRecord& r : working_) {
            if (SameKey(r.STR1[0], saved.STR1[0])) {
                r = saved;
                break;
            }
        }
    }
    writeWorkingList();
    fillCells(false);
    gridCursor_ = 0;
}

void BeerTypesForm::lookUp() {
    if (editing()) return;
    TableRecord key;
    TableBlank(key);
    key.STR1[0] = text("LE0");
    if (auto found = TableKeyExists(key, "PRAZ", session_.folders, dialogs())) {
        TableRecord entry = *found;
        TableTrim(entry);
        startEditing(entry);
        set("LE0", entry.STR1[0]);
        set("R10", AutoNumber(entry.REALI1[0], 0.000001));
        set("R11", AutoNumber(entry.REALI1[1], 0.000001));
        loadRecipe(entry);
    }
}

Check BeerTypesForm::onLeave(const std::string& field) {
    if (field != "LE0") return Check::Pass();
    if (TrimText(text("LE0")).empty()) return Check::StayOn("LE0");
    lookUp();
    return Check::Pass();
}

std::optional<std::size_t> BeerTypesForm::takeGridCursor() {
    auto c = gridCursor_;
    gridCursor_.reset();
    return c;
}

bool BeerTypesForm::enterGrid() {
    if (!TrimText(text("LE0")).empty()) return true;
    focusOn("LE0");
    return false;
}

std::string BeerTypesForm::typeQuantity(std::size_t row, const std::string& typed) {
    if (row >= working_.size()) return {};
    keyPressed();
    const std::string accepted = FilterQuantityText(cells_[row], typed);
    cells_[row] = accepted;
    working_[row].REALI1[0] = ParseDecimal(accepted, 5);
    RecordFile file =
        RecordFile::OpenOrCreate(RecipeWorkingListPath(session_.folders), TableRecord::kSize);
    if (row < file.count()) {
        file.updateAt(row, working_[row].encode());
        file.commit();
    } else {
        writeWorkingList();
    }
    return accepted;
}

Check BeerTypesForm::onReachConfirm() {
    const std::string name = TrimText(text("LE0"));
    if (name.empty()) return Check::StayOn("LE0");
    if (ParseDecimal(text("R10"), 5) < 0.000009) return Check::StayOn("R10");
    edited_.REALI1[1] = ParseDecimal(text("R11"), 5);
    edited_.REALI1[0] = ParseDecimal(text("R10"), 5);
    const bool renamed = editing() && !SameKey(name, editedCopy_.STR1[0]);
    if (renamed || !editing()) {
        if (FindEntryByName(BeerTypesPath(session_.folders), name, editing() ? editingId_ : 0)) {
            dialogs().warn(kCodeInUse);
            return Check::StayOn("LE0");
        }
    }
    return Check::Pass();
}

void BeerTypesForm::onConfirm() {
    TableRecord rec;
    TableBlank(rec);
    rec.STR1[0] = TrimText(text("LE0"));
    rec.STR2[0] = "PRAZ";
    rec.REALI1[0] = ParseDecimal(text("R10"), 5);
    rec.REALI1[1] = ParseDecimal(text("R11"), 5);
    const std::string name = rec.STR1[0];
    const auto inUse = [&](const TableRecord& other) { return SameKey(other.STR1[0], name); };
    // The recipe is written under the new ID before the table names it, so a
    // failure never leaves a beer type without its recipe.
    const auto writeRecipe = [this](const TableRecord& saved) {
        RecordFile recipe =
            RecordFile::Empty(RecipePath(session_.folders, saved.ID), TableRecord::kSize);
        for (const TableRecord& r : working_)
            recipe.append(r.encode());
        recipe.commit(true);
    };
    if (TableReplaceEntry(BeerTypesPath(session_.folders), editing() ? editingId_ : 0, rec,
                          FollowsByKey(rec), dialogs(), inUse,
                          writeRecipe) == EditOutcome::KeyInUse) {
        dialogs().warn(kCodeInUse);
        focusOn("LE0");
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

void BeerTypesForm::onPress(const std::string& button) {
    if (button == "BSVUOTA") {
        clear();
    } else if (button == "BCANCELLA") {
        if (editing()) TableDeleteById(editingId_, BeerTypesPath(session_.folders), dialogs());
        clear();
    } else if (button == "BELENCA") {
        keyPressed();
        const int id = dialogs().chooseFromList("PRAZ");
        if (id >= 0) {
            if (auto entry = TableFindById(id, BeerTypesPath(session_.folders))) {
                set("LE0", TrimText(entry->STR1[0]));
                lookUp();
            }
        }
        focusOn("LE0");
    } else if (button == "BNUOVAMP") {
        const std::string keepMode = session_.mode;
        const WindowResult r = dialogs().open("TFMATPRI", "MATPRIME:I");
        session_.mode = keepMode;
        if (r.entry) {
            TableRecord added = *r.entry;
            added.REALI1[0] = 0;
            working_.push_back(added);
            cells_.push_back(std::string());
            ++gridRevision_;
            RecordFile file = RecordFile::OpenOrCreate(RecipeWorkingListPath(session_.folders),
                                                       TableRecord::kSize);
            file.append(added.encode());
            file.commit();
        }
    }
}

}  // namespace veltrano
