#include "shell/session.h"

#include <sys/stat.h>

#include <cerrno>

#include "core/io_error.h"
#include "core/record_file.h"

namespace veltrano {

std::string Session::companyPath() const {
    return JoinPath(folders.datiGen, "UTENTE.001");
}
std::string Session::signingPath() const {
    return JoinPath(folders.temp, "APPL.CFG");
}
std::string Session::signingSeedPath() const {
    return JoinPath(folders.datiGen, "APPL.CFG");
}
std::string Session::webPath() const {
    return JoinPath(folders.datiGen, "WEB.CFG");
}
std::string Session::roundingPath() const {
    return JoinPath(folders.datiGen, "ARROTONDAMENTI.TAB");
}
std::string Session::versionPath() const {
    return JoinPath(folders.datiGen, "VERS_VELTRANO.DAT");
}
std::string Session::downloadedVersionPath() const {
    return JoinPath(folders.temp, "VERS_VELTRANO.DAT");
}

bool IsEmptySetting(const std::string& text) {
    // Every character is at most a blank after trimming only when nothing is left.
    return TrimText(text).empty();
}

std::optional<TableRecord> ReadSettingsRecord(const std::string& path) {
    const RecordFile file = RecordFile::OpenIfPresent(path, TableRecord::kSize);
    if (file.empty()) return std::nullopt;
    return TableRecord::decode(file.record(0));
}

TableRecord ReadOrCreateSettingsRecord(const std::string& path, const TableRecord& initial) {
    if (!FileExists(path)) SaveSettingsRecord(path, initial);
    RecordFile file = RecordFile::OpenOrCreate(path, TableRecord::kSize);
    if (file.empty()) {
        // An empty file holds no settings yet: read as the initial record.
        TableRecord rec = initial;
        TablePad(rec);
        return rec;
    }
    return TableRecord::decode(file.record(0));
}

void SaveSettingsRecord(const std::string& path, TableRecord rec) {
    TablePad(rec);
    ReplaceFileAtomically(path, rec.encode());
}

void SaveSigningSettings(const std::string& path, TableRecord rec) {
    SaveSettingsRecord(path, std::move(rec));
    if (::chmod(path.c_str(), S_IRUSR | S_IWUSR) != 0) {
        throw IoError::fromErrno(path, "Impostazione dei permessi", errno);
    }
}

std::optional<CompanyRecord> ReadCompanyRecord(const std::string& path) {
    const RecordFile file = RecordFile::OpenIfPresent(path, CompanyRecord::kSize);
    if (file.empty()) return std::nullopt;
    return CompanyRecord::decode(file.record(0));
}

void SaveCompanyRecord(const std::string& path, CompanyRecord rec) {
    CompanyPad(rec);
    ReplaceFileAtomically(path, rec.encode());
}

}  // namespace veltrano
