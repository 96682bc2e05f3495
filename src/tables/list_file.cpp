#include "tables/list_file.h"

#include <algorithm>
#include <charconv>

#include "core/bytes.h"
#include "core/cp1252.h"
#include "core/dates.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "core/table_record.h"
#include "core/values.h"

namespace veltrano {
namespace {

// A text on one line of the list file: control characters (a line break stored
// in a table by another program) would split the entry, so they become blanks.
std::string OneLine(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    }
    return out;
}

std::vector<std::string> SplitColumnNames(const std::string& names) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= names.size()) {
        const std::size_t end = names.find(';', start);
        out.push_back(TrimText(
            names.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

}  // namespace

ListFileWriter::ListFileWriter(std::vector<ListColumn> columns) : columns_(std::move(columns)) {
    if (columns_.size() > kListColumns) columns_.resize(kListColumns);
    fixed_.assign(columns_.size(), 0);
}

void ListFileWriter::fixWidth(std::size_t column, int width) {
    if (column >= kListColumns) return;
    if (column >= columns_.size()) {
        columns_.resize(column + 1);
        fixed_.resize(column + 1, 0);
    }
    fixed_[column] = width;
    columns_[column].width = width;
}

void ListFileWriter::addRow(int id, const std::vector<std::string>& cells) {
    ListRow row;
    row.id = id;
    for (std::size_t k = 0; k < cells.size() && k < kListColumns; ++k) {
        row.cells.push_back(OneLine(cells[k]));
        if (k >= columns_.size()) {
            columns_.resize(k + 1);
            fixed_.resize(k + 1, 0);
        }
        if (fixed_[k] == 0) {
            columns_[k].width =
                std::max(columns_[k].width, static_cast<int>(Utf8Length(row.cells.back())));
        }
    }
    rows_.push_back(std::move(row));
}

std::string ListFileWriter::text() const {
    std::string out;
    for (const ListRow& row : rows_) {
        out += row.cells.empty() ? std::string() : row.cells[0];
        out += "\r\n@" + std::to_string(row.id) + "\r\n";
        for (std::size_t k = 1; k < row.cells.size(); ++k) {
            out += "\t" + row.cells[k] + "\r\n";
        }
    }
    return out;
}

void ListFileWriter::write(const std::string& path) const {
    const std::string bytes = Utf8ToCp1252(text());
    ReplaceFileAtomically(
        path, ByteSpan(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::vector<ListRow> ParseListText(const std::string& text) {
    std::vector<ListRow> rows;
    bool hasId = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '\t') {
            if (!rows.empty()) rows.back().cells.push_back(line.substr(1));
            continue;
        }
        // The number line follows the row's first line; a first column that
        // itself starts with "@" is a new row, not a number.
        if (!line.empty() && line[0] == '@' && !rows.empty() && !hasId) {
            int id = 0;
            const char* first = line.data() + 1;
            const char* last = line.data() + line.size();
            const auto [ptr, ec] = std::from_chars(first, last, id);
            if (ec == std::errc() && ptr == last) {
                rows.back().id = id;
                hasId = true;
                continue;
            }
        }
        ListRow row;
        row.cells.push_back(line);
        rows.push_back(std::move(row));
        hasId = false;
    }
    return rows;
}

std::vector<ListRow> ReadListFile(const std::string& path) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return {};
    return ParseListText(Cp1252ToUtf8(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())));
}

std::string ListFilePath(const Folders& folders) {
    return JoinPath(folders.temp, "TABELLA.TXT");
}

ListData BuildTableList(const Folders& folders, const std::string& tableName) {
    const std::string table = TrimText(tableName);
    ListData data;
    const auto structure = ReadTableStructure(folders, table);
    if (!structure) return data;
    const std::string tablePath = JoinPath(folders.datiGen, table + ".TAB");
    if (!FileExists(tablePath)) return data;
    const RecordFile file = RecordFile::OpenIfPresent(tablePath, TableRecord::kSize);

    const std::vector<std::string> names = SplitColumnNames(structure->columns);
    ListFileWriter writer;
    if (table == "ACCISE") {
        writer.fixWidth(0, 11);
        writer.fixWidth(1, 11);
    }
    if (table == "PRAZ") {
        writer.fixWidth(1, 12);
        writer.fixWidth(2, 12);
    }
    for (std::size_t i = 0; i < file.count(); ++i) {
        TableRecord rec = TableRecord::decode(file.record(i));
        TableTrim(rec);
        std::vector<std::string> cells;
        if (table == "ACCISE") {
            cells = {FormatDate(rec.REALI1[0]), FormatNumber(rec.REALI1[1], 3, 5)};
        } else if (table == "PRAZ") {
            cells = {rec.STR1[0], FormatNumber(rec.REALI1[1], 0, 0),
                     FormatNumber(rec.REALI1[0], 0, 0)};
        } else {
            cells.push_back(rec.STR1[0]);
            for (std::size_t k = 1; k < TableRecord::kSlots; ++k) {
                if (structure->sizes[k] > 0) cells.push_back(rec.STR1[k]);
            }
        }
        writer.addRow(rec.ID, cells);
    }
    writer.write(ListFilePath(folders));

    data.title = structure->title;
    data.columns = writer.columns();
    // The generic tables declare as many columns as they have fields in use,
    // even when no entry fills one.
    if (table != "ACCISE" && table != "PRAZ") {
        std::size_t used = 1;
        for (std::size_t k = 1; k < TableRecord::kSlots; ++k) {
            if (structure->sizes[k] > 0) ++used;
        }
        if (data.columns.size() < used) data.columns.resize(used);
    }
    if (table == "MATPRIME" && !data.columns.empty()) {
        data.columns[0].width = std::max(data.columns[0].width, 20);
    }
    // Each column keeps the caption of its own position, so a column that no
    // entry fills does not hand its caption to the next one.
    for (std::size_t k = 0; k < data.columns.size(); ++k) {
        data.columns[k].caption = k < names.size() ? names[k] : std::string();
    }
    data.rows = ReadListFile(ListFilePath(folders));
    return data;
}

ListModel::ListModel(ListData data) : data_(std::move(data)) {
    for (std::size_t k = 0; k < data_.columns.size() && k < kListColumns; ++k) {
        if (data_.columns[k].width > 0) shown_.push_back(k);
    }
    if (!data_.rows.empty()) selected_ = 0;
}

std::string ListModel::caption(std::size_t column) const {
    return column < data_.columns.size() ? data_.columns[column].caption : std::string();
}

int ListModel::width(std::size_t column) const {
    if (column >= data_.columns.size()) return 5;
    return std::max(5, data_.columns[column].width);
}

std::string ListModel::cell(std::size_t rowIndex, std::size_t column) const {
    const ListRow& r = data_.rows[rowIndex];
    return column < r.cells.size() ? r.cells[column] : std::string();
}

void ListModel::sortBy(std::size_t column) {
    const int keep = selected_ >= 0 ? data_.rows[static_cast<std::size_t>(selected_)].id : -1;
    std::vector<std::pair<std::string, ListRow>> keyed;
    keyed.reserve(data_.rows.size());
    for (std::size_t k = 0; k < data_.rows.size(); ++k) {
        keyed.emplace_back(Utf8ToCp1252(cell(k, column)), std::move(data_.rows[k]));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t k = 0; k < keyed.size(); ++k) {
        data_.rows[k] = std::move(keyed[k].second);
    }
    if (selected_ >= 0) {
        for (std::size_t k = 0; k < data_.rows.size(); ++k) {
            if (data_.rows[k].id == keep) {
                selected_ = static_cast<int>(k);
                break;
            }
        }
    }
}

void ListModel::select(int rowIndex) {
    if (rowIndex >= 0 && static_cast<std::size_t>(rowIndex) < data_.rows.size()) {
        selected_ = rowIndex;
    }
}

int ListModel::choose() {
    result_ = selected_ >= 0 ? data_.rows[static_cast<std::size_t>(selected_)].id : -1;
    return result_;
}

int ListModel::cancel() {
    result_ = -1;
    return result_;
}

int ListModel::printWidth() const {
    int total = 0;
    for (std::size_t c : shown_)
        total += width(c) + 1;
    return total;
}

}  // namespace veltrano
