#include "tables/installation.h"

#include <map>
#include <stdexcept>

#include "core/bytes.h"
#include "core/dates.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "core/values.h"
#include "tables/beer_types_form.h"
#include "tables/excise_rates.h"
#include "tables/raw_materials_form.h"
#include "tables/table_edit.h"

namespace veltrano {
namespace {

struct Section {
    std::string name;
    std::vector<std::pair<std::size_t, std::string>> lines;  // line number, text
};

std::vector<Section> Sections(std::string_view text) {
    std::vector<Section> out;
    std::size_t start = 0;
    std::size_t lineNo = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string line = TrimText(text.substr(start, end - start));
        start = end + 1;
        ++lineNo;
        if (line.empty() || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string name = TrimText(line.substr(1, line.size() - 2));
            for (const Section& s : out) {
                if (s.name == name) {
                    throw std::runtime_error("riga " + std::to_string(lineNo) +
                                             ": sezione ripetuta [" + name + "]");
                }
            }
            out.push_back({name, {}});
            continue;
        }
        if (out.empty()) {
            throw std::runtime_error("riga " + std::to_string(lineNo) +
                                     ": manca la sezione [NOME]");
        }
        out.back().lines.emplace_back(lineNo, line);
    }
    return out;
}

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = s.find(sep, start);
        out.push_back(TrimText(s.substr(start, end == std::string::npos ? end : end - start)));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

[[noreturn]] void Bad(std::size_t lineNo, const std::string& why) {
    throw std::runtime_error("riga " + std::to_string(lineNo) + ": " + why);
}

void WriteSingleRecord(const std::string& path, const TableRecord& rec) {
    RecordFile file = RecordFile::Empty(path, TableRecord::kSize);
    file.append(rec.encode());
    file.commit(true);
}

}  // namespace

std::vector<TableStructure> ParseStructureSource(std::string_view text) {
    std::vector<TableStructure> out;
    for (const Section& section : Sections(text)) {
        TableStructure s;
        s.name = section.name;
        for (const auto& [lineNo, line] : section.lines) {
            const std::size_t eq = line.find('=');
            if (eq == std::string::npos) Bad(lineNo, "manca '='");
            const std::string key = TrimText(line.substr(0, eq));
            const std::string value = TrimText(line.substr(eq + 1));
            if (key == "title") {
                s.title = value;
            } else if (key == "columns") {
                s.columns = value;
            } else if (key == "search") {
                s.searchFields = ParseInteger(value);
            } else if (key.rfind("field ", 0) == 0) {
                const int k = ParseInteger(key.substr(6));
                const auto parts = Split(value, ';');
                if (k < 0 || k > 9 || parts.size() != 2) Bad(lineNo, "campo non valido");
                s.sizes[static_cast<std::size_t>(k)] = ParseInteger(parts[0]);
                s.labels[static_cast<std::size_t>(k)] = parts[1];
            } else {
                Bad(lineNo, "chiave sconosciuta: " + key);
            }
        }
        out.push_back(std::move(s));
    }
    return out;
}

InstallReport InstallStructures(const Folders& folders, std::string_view source) {
    const auto structures = ParseStructureSource(source);
    folders.create();
    InstallReport report;
    for (const TableStructure& s : structures) {
        const std::string file = s.name + ".STR";
        const std::string path = JoinPath(folders.datiGen, file);
        if (FileExists(path)) {
            report.kept.push_back(file);
            continue;
        }
        WriteSingleRecord(path, s.toRecord());
        report.written.push_back(file);
    }
    return report;
}

InstallReport InstallDemoTables(const Folders& folders, std::string_view source, Prompt& prompt) {
    const auto sections = Sections(source);
    folders.create();
    InstallReport report;
    for (const Section& section : sections) {
        const std::string file = section.name + ".TAB";
        const std::string path = JoinPath(folders.datiGen, file);
        if (FileExists(path)) {
            report.kept.push_back(file);
            continue;
        }
        CreateEmptyIfMissing(path);
        for (const auto& [lineNo, line] : section.lines) {
            const auto parts = Split(line, ';');
            TableRecord rec;
            TableBlank(rec);
            rec.STR2[0] = section.name;
            if (section.name == "ACCISE") {
                const auto date = parts.size() == 2 ? ParseDate(parts[0]) : std::nullopt;
                if (!date) Bad(lineNo, "data non valida");
                rec.REALI1[0] = *date;
                rec.REALI1[1] = ParseDecimal(parts[1], 5);
                const double start = *date;
                TableReplaceEntry(
                    path, 0, rec,
                    [start](const TableRecord& stored) { return stored.REALI1[0] > start; },
                    prompt);
                continue;
            }
            if (section.name == "PRAZ") {
                if (parts.size() != 4) Bad(lineNo, "attesi nome;resa;grado;ricetta");
                rec.STR1[0] = parts[0];
                rec.REALI1[0] = ParseDecimal(parts[1], 5);
                rec.REALI1[1] = ParseDecimal(parts[2], 5);
                std::map<std::string, double> uses;
                for (const std::string& use : Split(parts[3], '|')) {
                    const auto q = Split(use, '=');
                    if (q.size() != 2) Bad(lineNo, "ricetta non valida: " + use);
                    uses[q[0]] = ParseDecimal(q[1], 5);
                }
                // One record per raw material, in table order, as the recipe
                // window saves it.
                const RecordFile materials =
                    RecordFile::OpenIfPresent(RawMaterialsPath(folders), TableRecord::kSize);
                const auto writeRecipe = [&](const TableRecord& saved) {
                    RecordFile recipe =
                        RecordFile::Empty(RecipePath(folders, saved.ID), TableRecord::kSize);
                    for (std::size_t k = 0; k < materials.count(); ++k) {
                        TableRecord m = TableRecord::decode(materials.record(k));
                        const auto it = uses.find(TrimText(m.STR1[0]));
                        m.REALI1[0] = it == uses.end() ? 0 : it->second;
                        recipe.append(m.encode());
                    }
                    recipe.commit(true);
                    report.written.push_back(std::to_string(saved.ID) + ".RCT");
                };
                TableReplaceEntry(path, 0, rec, FollowsByKey(rec), prompt, {}, writeRecipe);
                continue;
            }
            if (parts.empty() || parts.size() > 10) Bad(lineNo, "riga non valida");
            for (std::size_t k = 0; k < parts.size(); ++k)
                rec.STR1[k] = parts[k];
            TableInsertOrdered(path, rec, prompt);
        }
        report.written.push_back(file);
    }
    return report;
}

}  // namespace veltrano
