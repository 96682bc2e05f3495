#pragma once

#include <string>

#include "core/prompt.h"

namespace veltrano {

std::string LockMarkerPath(const std::string& path);  // path + "$"
std::string LockWaitMessage(const std::string& path);
std::string LockOverrideQuestion(const std::string& path);

// Waits until no other workstation holds the marker of path, then takes it. The
// marker is created exclusively, so two workstations can never both take it.
// While it is held elsewhere: a message with OK per attempt and, from the
// eleventh attempt on, the question whether to override a stale marker.
void LockFile(const std::string& path, Prompt& prompt);
// Removes the marker; a missing marker is not an error.
void UnlockFile(const std::string& path);

// Holds the marker of a file for one change. The marker is released when the
// change ends, also when it ends with an error: every change is written
// atomically, so the file is whole either way and a marker left behind would only
// make the next writer wait for nobody.
class FileLock {
public:
    FileLock(const std::string& path, Prompt& prompt);
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();
    // Releases now, reporting a failure to remove the marker.
    void release();

private:
    std::string path_;
    bool held_ = true;
};

}  // namespace veltrano
