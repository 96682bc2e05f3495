#pragma once

#include <iosfwd>
#include <string>

#include "admin/dump.h"

namespace veltrano::admin {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitProblems = 1;  // check found problems; dump or demo failed
inline constexpr int kExitUsage = 2;     // bad arguments, or a folder that cannot be read

// The subcommands: output on out, messages on err, the exit status returned.
// Nothing escapes as an exception.
int CommandDump(const std::string& path, DumpFormat format, std::ostream& out, std::ostream& err);
int CommandCheck(const std::string& folder, std::ostream& out, std::ostream& err);
int CommandDemo(const std::string& folder, std::ostream& out, std::ostream& err);

}  // namespace veltrano::admin
