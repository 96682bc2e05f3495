#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/folders.h"

namespace veltrano {

// One column of a list: its caption and its width in characters.
struct ListColumn {
    std::string caption;
    int width = 0;
};

// One row: the number returned when it is chosen (an ID, a NUMMOV) and its texts,
// first column first.
struct ListRow {
    int id = -1;
    std::vector<std::string> cells;
    friend bool operator==(const ListRow&, const ListRow&) = default;
};

// What a list window shows.
struct ListData {
    std::string title;
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
};

// A list window shows at most this many columns.
inline constexpr std::size_t kListColumns = 13;

// Builds the list file TABELLA.TXT: per row a line with the first column's text,
// a line "@" + number, then one line per further column, a tab and its text.
// Lines end with CR LF; texts are Windows-1252 on disk. A column's width grows to
// the longest text put in it (in characters).
class ListFileWriter {
public:
    explicit ListFileWriter(std::vector<ListColumn> columns = {});

    // Columns beyond the declared ones are added without caption, up to 13.
    void addRow(int id, const std::vector<std::string>& cells);
    // A fixed width for a column (the rate and beer-type lists).
    void fixWidth(std::size_t column, int width);

    const std::vector<ListColumn>& columns() const { return columns_; }
    std::string text() const;  // the file's content, UTF-8
    void write(const std::string& path) const;

private:
    std::vector<ListColumn> columns_;
    std::vector<int> fixed_;
    std::vector<ListRow> rows_;
};

// The rows of a list file; a missing file is an empty list.
std::vector<ListRow> ReadListFile(const std::string& path);
// The same from the file's content (UTF-8).
std::vector<ListRow> ParseListText(const std::string& text);

// The temporary folder's TABELLA.TXT.
std::string ListFilePath(const Folders& folders);

// The list of a code table (the list window's first step): writes TABELLA.TXT and
// reads it back. Empty (no title, no columns) when DATI_GEN/<table>.STR is
// missing or empty, or the table file is missing.
ListData BuildTableList(const Folders& folders, const std::string& table);

// The state of a list window, without widgets.
class ListModel {
public:
    explicit ListModel(ListData data);

    const std::string& title() const { return data_.title; }
    // The columns shown: those whose width is above 0.
    const std::vector<std::size_t>& shownColumns() const { return shown_; }
    std::string caption(std::size_t column) const;
    // Width in characters on screen: at least 5.
    int width(std::size_t column) const;
    std::size_t rowCount() const { return data_.rows.size(); }
    const ListRow& row(std::size_t k) const { return data_.rows[k]; }
    std::string cell(std::size_t rowIndex, std::size_t column) const;

    // Sorts the rows by a column's text, ascending, by plain character
    // comparison (Windows-1252 bytes); rows of equal text keep their order.
    void sortBy(std::size_t column);

    // -1 when there are no rows.
    int selected() const { return selected_; }
    void select(int rowIndex);
    // Enter, double click, "&OK": the selected row's number (-1 when none).
    int choose();
    // Escape, "&Abbandona".
    int cancel();
    int result() const { return result_; }

    // Sum of the shown columns' widths plus one separator per column, the width
    // that decides the orientation of the printed list.
    int printWidth() const;

private:
    ListData data_;
    std::vector<std::size_t> shown_;
    int selected_ = -1;
    int result_ = -1;
};

}  // namespace veltrano
