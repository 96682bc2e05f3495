#include "prints/print_settings.h"

#include "core/cp1252.h"
#include "core/file_io.h"
#include "core/folders.h"
#include "core/record_file.h"
#include "core/table_record.h"
#include "registers/year_files.h"

namespace veltrano {

std::string BookSettingsPath(const Folders& folders, const std::string& extension) {
    return JoinPath(folders.datiGen, "PROT." + extension);
}

std::optional<BookSettings> ReadBookSettings(const Folders& folders, const std::string& extension) {
    const RecordFile file =
        RecordFile::OpenIfPresent(BookSettingsPath(folders, extension), TableRecord::kSize);
    if (file.empty()) return std::nullopt;
    TableRecord rec = TableRecord::decode(file.record(0));
    TableTrim(rec);
    BookSettings s;
    s.authorisation = rec.STR1[0];
    s.office = rec.STR1[1];
    s.protocol = rec.STR1[2];
    s.financialYear = rec.INTERI[0];
    s.protocolLine = rec.INTERI[2];
    return s;
}

void WriteBookSettings(const Folders& folders, const std::string& extension,
                       const BookSettings& settings) {
    TableRecord rec;
    TableBlank(rec);
    rec.STR1[0] = settings.authorisation;
    rec.STR1[1] = settings.office;
    rec.STR1[2] = settings.protocol;
    rec.INTERI[0] = settings.financialYear;
    rec.INTERI[2] = settings.protocolLine;
    TablePad(rec);
    ReplaceFileAtomically(BookSettingsPath(folders, extension), rec.encode());
}

std::string PrinterFilePath(const Folders& folders) {
    return JoinPath(folders.datiGen, "STAMPANTE.TXT");
}

std::optional<std::string> ReadPrinterName(const Folders& folders) {
    std::optional<Bytes> bytes;
    try {
        bytes = ReadWholeFile(PrinterFilePath(folders));
    } catch (const std::exception&) {
        return std::nullopt;  // unreadable: the default printer stays
    }
    if (!bytes) return std::nullopt;
    std::string text(bytes->begin(), bytes->end());
    const auto end = text.find_first_of("\r\n");
    if (end != std::string::npos) text.resize(end);
    if (text.empty()) return std::nullopt;
    return Cp1252ToUtf8(text);
}

void WritePrinterName(const Folders& folders, const std::string& name) {
    const std::string line = Utf8ToCp1252(name) + "\r\n";
    ReplaceFileAtomically(
        PrinterFilePath(folders),
        ByteSpan(reinterpret_cast<const std::uint8_t*>(line.data()), line.size()));
}

std::vector<MovementRecord> LoadYearRecords(const Folders& folders, int year,
                                            const std::string& extension) {
    const RecordFile file =
        RecordFile::OpenIfPresent(YearFilePath(folders, year, extension), MovementRecord::kSize);
    std::vector<MovementRecord> out;
    out.reserve(file.count());
    for (std::size_t k = 0; k < file.count(); ++k) {
        MovementRecord r = MovementRecord::decode(file.record(k));
        MovementTrim(r);
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace veltrano
