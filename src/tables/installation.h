#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/folders.h"
#include "core/prompt.h"
#include "core/table_record.h"

namespace veltrano {

// The structure files shipped with the program (data/structures.txt) and the
// reference tables of the demo folder (data/demo_tables.txt), built in.
std::string_view ShippedStructureSource();
std::string_view DemoTableSource();

// The structures of a source text; std::runtime_error naming the line when the
// text is malformed.
std::vector<TableStructure> ParseStructureSource(std::string_view text);

// What an installation step did, file by file (names relative to DATI_GEN).
struct InstallReport {
    std::vector<std::string> written;
    std::vector<std::string> kept;  // already there: left as they were
};

// Creates the folders of a working folder and installs DATI_GEN/<name>.STR for
// every structure of the source that does not exist yet. Nothing existing is
// changed.
InstallReport InstallStructures(const Folders& folders, std::string_view source);

// The demo reference tables: each table of the source whose .TAB file does not
// exist yet is written (through the ordered insert, as the windows write), the
// beer types with their recipe files.
InstallReport InstallDemoTables(const Folders& folders, std::string_view source, Prompt& prompt);

}  // namespace veltrano
