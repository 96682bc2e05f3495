#include "admin/dump.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "core/cp1252.h"
#include "core/dates.h"
#include "core/file_io.h"
#include "core/io_error.h"
#include "core/values.h"

namespace veltrano::admin {
namespace {

std::string dateText(double serial) {
    if (serial == 0) return {};
    std::string day = FormatDate(serial);
    // Not a date at all (NaN, out of range): show the stored number, so the
    // damage stays visible.
    if (day.empty()) return FormatShortest(serial);
    if (serial == std::trunc(serial)) return day;
    // Whole days are the rule; a time of day is shown rather than dropped.
    return day + " " + FormatTimeHHMMSS(serial);
}

bool isNumeric(const Field& f, ByteSpan record) {
    if (f.type == FieldType::Integer) return true;
    if (f.type == FieldType::Double) return std::isfinite(GetDouble(record, f.offset));
    return false;
}

}  // namespace

std::string FieldText(ByteSpan record, const Field& field) {
    switch (field.type) {
        case FieldType::Integer:
            return std::to_string(GetInt32(record, field.offset));
        case FieldType::Double:
            return FormatShortest(GetDouble(record, field.offset));
        case FieldType::Date:
            return dateText(GetDouble(record, field.offset));
        case FieldType::Text:
            return TrimText(GetText(record, field.offset, field.width));
    }
    return {};
}

std::string CsvQuote(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string out = "\"";
    for (const char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string JsonString(const std::string& value) {
    std::string out = "\"";
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20 || u == 0x7f) {
                    char buf[8];
                    (void)std::snprintf(buf, sizeof buf, "\\u%04x", u);
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

void DumpRecords(const RecordKind& kind, ByteSpan bytes, DumpFormat format, std::ostream& out,
                 const std::string& pathForMessages) {
    if (bytes.size() % kind.recordSize != 0) {
        throw AdminError("il file " + pathForMessages +
                         " è troncato o danneggiato: " + std::to_string(bytes.size()) +
                         " byte non sono un multiplo di " + std::to_string(kind.recordSize) +
                         " (dimensione di un record di " + kind.description + ")");
    }
    const std::size_t count = bytes.size() / kind.recordSize;
    if (format == DumpFormat::Csv) {
        for (std::size_t i = 0; i < kind.fields.size(); ++i) {
            if (i > 0) out << ',';
            out << CsvQuote(kind.fields[i].name);
        }
        out << '\n';
    }
    std::string line;
    for (std::size_t k = 0; k < count; ++k) {
        const ByteSpan rec = bytes.subspan(k * kind.recordSize, kind.recordSize);
        line.clear();
        if (format == DumpFormat::Csv) {
            for (std::size_t i = 0; i < kind.fields.size(); ++i) {
                if (i > 0) line += ',';
                line += CsvQuote(FieldText(rec, kind.fields[i]));
            }
        } else {
            line += '{';
            for (std::size_t i = 0; i < kind.fields.size(); ++i) {
                const Field& f = kind.fields[i];
                if (i > 0) line += ',';
                line += JsonString(f.name);
                line += ':';
                const std::string value = FieldText(rec, f);
                line += isNumeric(f, rec) ? value : JsonString(value);
            }
            line += '}';
        }
        line += '\n';
        out << line;
    }
}

void DumpFile(const std::string& path, DumpFormat format, std::ostream& out) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        throw AdminError("il file " + path + " non esiste");
    }
    if (status.type() == std::filesystem::file_type::directory) {
        throw AdminError(path + " è una cartella, non un file di record");
    }
    if (ec) throw AdminError("impossibile leggere il file " + path + " (" + ec.message() + ")");
    if (status.type() != std::filesystem::file_type::regular) {
        throw AdminError(path + " non è un file regolare: non può essere un file di record");
    }
    const RecordKind* kind = FindRecordKind(path);
    if (kind == nullptr) {
        throw AdminError(
            "il file " + path +
            " non è un file di record conosciuto: il tipo si riconosce dal nome "
            "(<anno>.CTT, .CND, .MPR, .PRV, .DER, .GMP, .GMS, .GCN, .SND, .RCV, "
            ".CTS, .CTR, .TCH, .TFR; *.TAB, *.STR, *.CFG, *.RCT, ACCOUNT*.DAT; UTENTE.001)");
    }
    std::optional<Bytes> bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const IoError& e) {
        throw AdminError(std::string("impossibile leggere il file: ") + e.what());
    }
    if (!bytes) throw AdminError("il file " + path + " non esiste");
    DumpRecords(*kind, *bytes, format, out, path);
}

}  // namespace veltrano::admin
