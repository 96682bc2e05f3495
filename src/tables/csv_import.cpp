#include "tables/csv_import.h"

#include <algorithm>

#include "core/bytes.h"
#include "core/cp1252.h"
#include "core/file_io.h"
#include "core/io_error.h"
#include "core/lock.h"
#include "core/record_file.h"
#include "tables/table_edit.h"

namespace veltrano {
namespace {

// Larger than any code table a brewery keeps; a bigger file is not one.
constexpr std::size_t kMaxCsvBytes = 16 * 1024 * 1024;

// Valid UTF-8 (ASCII included).
bool IsValidUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
        } else {
            return false;
        }
        if (i + n >= s.size()) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += n + 1;
    }
    return true;
}

bool HasNonAscii(const std::string& s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// The undefined bytes of Windows-1252 come back as C1 controls.
bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

char32_t NextCodePoint(const std::string& s, std::size_t& i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    std::size_t n = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
    char32_t v = c & (0x3F >> n);
    for (std::size_t k = 1; k <= n && i + k < s.size(); ++k) {
        v = (v << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    i += n + 1;
    return v;
}

std::string LineNumber(std::size_t n) {
    return std::to_string(n);
}

}  // namespace

CsvRead ParseTableCsv(const std::string& bytes, const std::string& table) {
    CsvRead out;
    // Spreadsheets write either; a Windows-1252 text of Italian words is
    // practically never valid UTF-8 once it has a letter beyond ASCII.
    std::string text = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes;
    if (!(HasNonAscii(text) && IsValidUtf8(text))) text = Cp1252ToUtf8(text);

    std::size_t start = 0;
    std::size_t lineNo = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const auto first = static_cast<unsigned char>(line[0]);
        if (first <= 0x20 || first == '!' || first == 0x7F) continue;

        std::array<std::string, 10> fields;
        std::size_t field = 0;
        std::size_t i = 0;
        while (i < line.size()) {
            const std::size_t at = i;
            const char32_t cp = NextCodePoint(line, i);
            if (IsControl(cp)) {
                out.error =
                    "IL FILE CSV CONTIENE CARATTERI NON VALIDI ALLA RIGA " + LineNumber(lineNo);
                out.records.clear();
                return out;
            }
            if (cp == ';') {
                ++field;
                continue;
            }
            if (field < fields.size()) fields[field] += line.substr(at, i - at);
        }
        for (std::size_t k = 0; k < fields.size(); ++k) {
            if (Utf8Length(fields[k]) > TableRecord::kTextWidth) {
                out.error = "CAMPO " + std::to_string(k + 1) + " TROPPO LUNGO ALLA RIGA " +
                            LineNumber(lineNo) + " (MASSIMO 250 CARATTERI)";
                out.records.clear();
                return out;
            }
        }
        for (std::size_t k : {std::size_t{2}, std::size_t{3}}) {
            if (fields[k].empty() || fields[k] == " ") fields[k] = "N";
            if (fields[k] == "X") fields[k] = "S";
        }
        TableRecord rec;
        TableBlank(rec);
        for (std::size_t k = 0; k < fields.size(); ++k)
            rec.STR1[k] = fields[k];
        rec.STR2[0] = table;
        TablePad(rec);
        out.records.push_back(std::move(rec));
    }
    return out;
}

CsvRead ImportTableCsv(const Folders& folders, const std::string& tableName, Prompt& prompt) {
    const std::string table = TrimText(tableName);
    const std::string csvPath = JoinPath(folders.datiGen, table + ".CSV");
    CsvRead read;
    const auto bytes = ReadWholeFile(csvPath);
    if (!bytes) {
        read.error = "FILE NON TROVATO: " + csvPath + "\r\rLA TABELLA NON È STATA MODIFICATA";
        return read;
    }
    if (bytes->size() > kMaxCsvBytes) {
        read.error = "IL FILE " + csvPath + " È TROPPO GRANDE PER UNA TABELLA";
        return read;
    }
    read = ParseTableCsv(std::string(bytes->begin(), bytes->end()), table);
    if (!read.ok()) {
        read.error += "\r\rLA TABELLA NON È STATA MODIFICATA";
        return read;
    }

    const std::string path = JoinPath(folders.datiGen, table + ".TAB");
    FileLock lock(path, prompt);
    RecordFile file = RecordFile::OpenOrCreate(path, TableRecord::kSize);
    file.clear();
    // Inserting each after the entries of equal or lower key, in file order, is a
    // stable sort by the padded key.
    std::vector<std::pair<std::string, Bytes>> keyed;
    std::int32_t id = 0;
    for (TableRecord& rec : read.records) {
        rec.ID = ++id;
        Bytes encoded = rec.encode();
        keyed.emplace_back(
            PaddedRawString(encoded, TableRecord::OffsetSTR1(0), TableRecord::kTextWidth),
            std::move(encoded));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, encoded] : keyed)
        file.append(encoded);
    file.commit(true);
    lock.release();
    return read;
}

}  // namespace veltrano
