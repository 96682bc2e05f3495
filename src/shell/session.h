#pragma once

#include <string>

#include "core/folders.h"
#include "core/table_record.h"
#include "shell/clock.h"
#include "shell/company_record.h"

namespace veltrano {

// What the shell keeps in memory from start to end of the process.
struct Session {
    Session(Folders f, const Clock& c) : folders(std::move(f)), clock(c) {}

    Folders folders;
    const Clock& clock;

    // As last read by CheckSettings, trimmed.
    CompanyRecord company;
    TableRecord signing;  // the workstation's APPL.CFG
    TableRecord web;      // DATI_GEN/WEB.CFG
    bool energyMeter = false;

    // Telematic-password warnings shown since the start; none after the third.
    int passwordWarnings = 0;
    // The year several operations work on, "YYYY".
    std::string currentYear;
    // The mode the next window opens in: a menu item's tag or a mode letter.
    std::string mode;
    int tag = 0;  // the tag of the menu item that opened the window
    // The screen less 50 pixels across and 100 down: the size of the windows that
    // size themselves to the screen (set by the main window).
    int screenWidth = 0;
    int screenHeight = 0;

    // Paths of the settings files.
    std::string companyPath() const;            // DATI_GEN/UTENTE.001
    std::string signingPath() const;            // temporary folder/APPL.CFG
    std::string signingSeedPath() const;        // DATI_GEN/APPL.CFG
    std::string webPath() const;                // DATI_GEN/WEB.CFG
    std::string roundingPath() const;           // DATI_GEN/ARROTONDAMENTI.TAB
    std::string versionPath() const;            // DATI_GEN/VERS_VELTRANO.DAT
    std::string downloadedVersionPath() const;  // temporary folder/VERS_VELTRANO.DAT
};

// "Empty" for settings: the trimmed text sorts before "!" (blanks and control
// characters only).
bool IsEmptySetting(const std::string& text);

// The first record of a single-record settings file, or nothing when the file is
// missing or holds no record.
std::optional<TableRecord> ReadSettingsRecord(const std::string& path);
// The first record; a missing file is first created holding `initial`.
TableRecord ReadOrCreateSettingsRecord(const std::string& path, const TableRecord& initial);
// Whole-file replacement with the record in padded form.
void SaveSettingsRecord(const std::string& path, TableRecord rec);
// The same for the workstation's signing settings, which hold the certificate PIN:
// the file is then readable by its owner only.
void SaveSigningSettings(const std::string& path, TableRecord rec);

std::optional<CompanyRecord> ReadCompanyRecord(const std::string& path);
void SaveCompanyRecord(const std::string& path, CompanyRecord rec);

}  // namespace veltrano
