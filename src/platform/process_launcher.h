#pragma once

#include "shell/startup.h"

namespace veltrano {

// Starts programs detached from this process (QProcess::startDetached).
class QtProgramLauncher final : public ProgramLauncher {
public:
    bool start(const std::string& path, const std::string& workingFolder) override;
};

// Opens an address or a file with the desktop's default handler.
void OpenWithDefaultHandler(const std::string& addressOrPath);

}  // namespace veltrano
