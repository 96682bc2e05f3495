#include "registers/forms/movement_picker.h"

#include "core/dates.h"
#include "core/record_file.h"
#include "core/values.h"
#include "registers/cancellation.h"
#include "registers/forms/modification.h"
#include "registers/year_files.h"

namespace veltrano {
namespace {

std::string num(double x) {
    return FormatNumber(x, 0, 0);
}

std::string containerName(int type) {
    static const char* const names[] = {"Bottiglia", "Lattina", "Fusto", "Botte", "Tank", "Altro"};
    return type >= 0 && type <= 5 ? names[type] : "";
}

std::vector<MovementRecord> readTrimmed(const std::string& path, bool& present) {
    present = FileExists(path);
    return ReadTrimmedMovements(RecordFile::OpenIfPresent(path, MovementRecord::kSize));
}

std::vector<ListColumn> columns(std::initializer_list<std::pair<const char*, int>> list) {
    std::vector<ListColumn> out;
    for (const auto& [caption, width] : list)
        out.push_back({caption, width});
    return out;
}

std::vector<std::string> wortRow(const MovementRecord& r) {
    const bool batch = r.TIPMOV == "C";
    return {FormatDate(r.DATMOV),
            batch ? "COTTA" : "lavaggio",
            batch ? r.NUMDOC : "",
            batch ? r.LMOSTO : "",
            num(r.LITRII),
            batch ? num(r.GRAREA) : "",
            std::to_string(r.INIZIO) + " - " + std::to_string(r.FINALE),
            batch ? r.TBIRRA : "* lavaggio *",
            r.ANNOTA};
}

std::vector<std::string> conditionedRow(const MovementRecord& r) {
    return {FormatDate(r.DATMOV),
            r.TIPMOV,
            r.NUMDOC,
            r.LMOSTO,
            num(r.GRAREA),
            std::to_string(r.FINALE),
            num(r.LITPRE),
            num(r.LITRII),
            num(r.KIWATT),
            r.TBIRRA,
            (r.TIPMOV == "I" ? "travaso " : "") + r.ANNOTA};
}

std::vector<std::string> preventiveRow(const MovementRecord& r) {
    const std::string sent =
        r.DATPRE < 10000 ? std::string("- - -") : FormatDate(r.DATPRE) + " - " + r.LMOSTO;
    return {FormatDate(r.DATMOV),
            r.NUMDOC,
            std::to_string(r.NUMCTT),
            r.TBIRRA,
            FormatNumber(r.LITPRE, 0, 2),
            FormatNumber(r.GRAPRE, 0, 1),
            sent};
}

std::vector<std::string> taxRow(const MovementRecord& r) {
    return {r.TIPREC == "R" ? "RAVVEDIMENTO-R" : "ACCISE - E ", r.CODPAE + "-" + r.LMOSTO,
            FormatNumber(r.KIWATT, 8, 2), FormatDate(r.DATFLU) + " - " + std::to_string(r.NUMFLU),
            r.ANNOTA};
}

std::vector<std::string> lotRow(const MovementRecord& r) {
    return {r.LMOSTO, num(r.MECUBI), num(r.KILOGR), num(r.MECUBI - r.KILOGR), r.TBIRRA};
}

std::vector<std::string> packageRow(const MovementRecord& r) {
    return {r.LMOSTO,      containerName(r.INIZIO), std::to_string(r.FINALE),
            num(r.LITPRE), num(r.GRAREA),           num(r.MECUBI - r.KILOGR),
            r.TBIRRA};
}

}  // namespace

std::string PickerTitle(char state) {
    switch (state) {
        case '1':
            return "Lotti da condizionare";
        case '2':
            return "Prodotti in carico";
        case '3':
        case '5':
            return "Scegli lotto";
        case 'M':
            return "MODIFICA UNA PRODUZIONE O UN LAVAGGIO ";
        case 'N':
            return "Modifica un'operazione dal registro del condizionamento";
        case 'C':
            return "ARCHIVIO COMUNICAZIONI PREVENTIVE";
        case 'I':
            return "COMUNICAZIONI PREVENTIVE DA INVIARE";
        case 'E':
            return "Nota di ricevimento e-AD emesso";
        case 'T':
            return "RETTIFICA: cancella tributi già inviati";
        case 't':
            return "RETTIFICA: modifica i dati dei tributi già inviati";
        default:
            return "";  // state 4 keeps the caption it had
    }
}

ListData BuildPickerList(const Folders& folders, char state, int year,
                         const std::string& previousTitle) {
    ListData data;
    std::string source;
    std::vector<ListColumn> cols;
    std::function<bool(const MovementRecord&)> keep = [](const MovementRecord&) { return true; };
    std::function<std::vector<std::string>(const MovementRecord&)> row;
    bool newestFirst = true;
    bool byPosition = false;  // scratch lists answer the record's position

    const auto lotColumns = columns({{"LOTTO", 6},
                                     {"Hlg di mosto", 15},
                                     {"Hlg condiz.", 15},
                                     {"Hlg da condiz.", 15},
                                     {"Tipo di birra", 14}});
    const auto packageColumns = columns({{"LOTTO", 6},
                                         {"Contenitore", 13},
                                         {"N. Contenit.", 13},
                                         {"Volume unit.", 13},
                                         {"Grado Pl.", 10},
                                         {"Hlg condiz.", 15},
                                         {"Tipo di birra", 14}});
    const auto preventiveColumns = columns({{"DATA", 11},
                                            {"ORA", 6},
                                            {"NUM.", 5},
                                            {"TIPO DI BIRRA", 14},
                                            {"LITRI", 6},
                                            {"GRADO", 5},
                                            {"DATA e ORA INVIO", 19}});
    const auto taxColumns = columns(
        {{"TIPO RECORD", 15}, {"PERIODO", 11}, {"IMPORTO", 12}, {"N. FLUSSO", 10}, {"NOTA", 6}});
    const auto sentTaxRecord = [](const MovementRecord& r) {
        return r.TIPRET != "C" && r.TIPOPE == "I" && r.NUMFLU >= 1;
    };

    data.title = state == '4' ? previousTitle : PickerTitle(state);
    switch (state) {
        case '1':
        case '5':
            source = JoinPath(folders.temp, "MOSTO.DAT");
            cols = lotColumns;
            row = lotRow;
            byPosition = true;
            if (state == '1') {
                keep = [](const MovementRecord& r) { return r.MECUBI - r.KILOGR > 0.000001; };
            }
            break;
        case '2':
        case '3':
        case '4':
            source = JoinPath(folders.temp, "VENDITE.DAT");
            cols = packageColumns;
            row = packageRow;
            byPosition = true;
            if (state != '3') keep = [](const MovementRecord& r) { return r.FINALE > 0; };
            break;
        case 'M':
            source = YearFilePath(folders, year, "CTT");
            cols = columns({{"DATA MOV.", 11},
                            {"CAUSALE", 9},
                            {"N.", 3},
                            {"LOTTO", 6},
                            {"LITRI", 6},
                            {"GRADO", 6},
                            {"MISURATORE", 11},
                            {"Tipo di birra", 14},
                            {"NOTA", 5}});
            row = wortRow;
            break;
        case 'N':
            source = YearFilePath(folders, year, "CND");
            cols = columns({{"DATA MOV.", 11},
                            {"T", 2},
                            {"Id. Operazione", 15},
                            {"LOTTO", 6},
                            {"Gr.pl.", 7},
                            {"N.Cont.", 8},
                            {"Volume", 7},
                            {"Ettogradi", 10},
                            {"Accisa", 7},
                            {"Tipo di birra", 14},
                            {"NOTA", 5}});
            row = conditionedRow;
            keep = [](const MovementRecord& r) { return r.NUMRIF == 0; };
            break;
        case 'C':
        case 'I':
            source = YearFilePath(folders, year, "PRV");
            cols = preventiveColumns;
            row = preventiveRow;
            if (state == 'I') keep = [](const MovementRecord& r) { return r.DATPRE < 10000; };
            break;
        case 'E':
            source = YearFilePath(folders, year, "CND");
            cols =
                columns({{"DATA MOV.", 11}, {"Cod. Accisa", 12}, {"n. ARC", 7}, {"Garanzia", 9}});
            row = [](const MovementRecord& r) -> std::vector<std::string> {
                return {FormatDate(r.DATMOV), r.ANNOTA, r.NUMDOC, num(r.DATPRE)};
            };
            break;
        case 'T':
        case 't':
            source = YearFilePath(folders, year, "DER");
            cols = taxColumns;
            row = taxRow;
            keep = sentTaxRecord;
            newestFirst = false;
            break;
        default:
            return data;
    }

    bool present = false;
    std::vector<MovementRecord> records;
    if (state == 'E') {
        present = FileExists(source);
        records = OpenEads(source);
        // The open e-AD list is kept for the receipt-note window, as it was built.
        Bytes bytes(records.size() * MovementRecord::kSize);
        for (std::size_t k = 0; k < records.size(); ++k) {
            MovementRecord padded = records[k];
            MovementPad(padded);
            padded.encodeInto(MutableByteSpan{bytes}.subspan(k * MovementRecord::kSize));
        }
        ReplaceFileAtomically(JoinPath(folders.temp, "DACHIUDERE.DAT"), ByteSpan{bytes});
    } else {
        records = readTrimmed(source, present);
    }
    if (!present) return data;

    ListFileWriter writer(cols);
    const std::size_t n = records.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t k = newestFirst ? n - 1 - i : i;
        const MovementRecord& r = records[k];
        if (!keep(r)) continue;
        writer.addRow(byPosition ? static_cast<int>(k) : r.NUMMOV, row(r));
    }
    // The list goes through the list file, as every list window's does.
    const std::string path = ListFilePath(folders);
    writer.write(path);
    data.columns = writer.columns();
    data.rows = ReadListFile(path);
    return data;
}

MovementPickerForm::MovementPickerForm(Session& session, UserDialogs& dialogs)
    : FormModel(dialogs, "TFSCEGLIMOVIMENTO",
                PickerTitle(session.mode.empty() ? 'M' : session.mode[0])),
      session_(session),
      state_(session.mode.empty() ? 'M' : session.mode[0]) {
    FieldSpec year;
    year.name = "LANNO";
    year.caption = "Anno del movimento";
    year.kind = FieldKind::Integer;
    year.maxLength = 4;
    addField(year);
}

void MovementPickerForm::onOpen() {
    // The window is kept between openings; each caller brings its own state.
    state_ = session_.mode.empty() ? 'M' : session_.mode[0];
    if (state_ != '4') setCaption(PickerTitle(state_));
    // Callers that pick through UserDialogs::pickMovement pass "state:year".
    const auto colon = session_.mode.find(':');
    const int asked =
        colon == std::string::npos ? 0 : ParseInteger(session_.mode.substr(colon + 1));
    set("LANNO",
        std::to_string(asked >= 2019 && asked <= 2060 ? asked : YearOf(session_.clock.today())));
    setResultId(-1);
    rebuild();
}

void MovementPickerForm::rebuild() {
    const std::string previous = list_.title();
    list_ =
        ListModel(BuildPickerList(session_.folders, state_, ParseInteger(text("LANNO")), previous));
}

Check MovementPickerForm::onLeave(const std::string& field) {
    if (field != "LANNO") return Check::Pass();
    const std::string typed = text("LANNO");
    const int year = ParseInteger(typed);
    if (typed.size() != 4 || year < 2019 || year > 2060) return Check::StayOn("LANNO");
    rebuild();
    return Check::Pass();
}

void MovementPickerForm::chooseRow(std::size_t row) {
    if (closed() || row >= list_.rowCount()) return;
    list_.select(static_cast<int>(row));
    setResultId(list_.choose());
    session_.currentYear = text("LANNO");
    close();
    // Opened from "Modifica" (tags 12 and 13): the chosen movement goes to the
    // window that edits it.
    if ((state_ == 'M' && session_.tag == 12) || (state_ == 'N' && session_.tag == 13)) {
        RunModification(session_, dialogs(), state_, resultId(), ParseInteger(text("LANNO")));
    }
}

// The picker has no confirm button: a row is chosen with Enter or a double click.
void MovementPickerForm::onConfirm() {}

}  // namespace veltrano
