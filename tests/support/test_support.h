#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/folders.h"
#include "core/prompt.h"
#include "registers/movement.h"

namespace veltrano::testing {

// A fresh working folder (with its own temporary folder) removed at the end.
class TempWorkFolder {
public:
    TempWorkFolder();
    ~TempWorkFolder();
    TempWorkFolder(const TempWorkFolder&) = delete;
    TempWorkFolder& operator=(const TempWorkFolder&) = delete;
    const Folders& folders() const { return folders_; }
    const std::string& root() const { return root_; }
    std::string path(const std::string& relative) const { return JoinPath(root_, relative); }

private:
    std::string root_;
    Folders folders_;
};

// Records every text shown and answers questions from a script (default: No).
class ScriptedPrompt : public Prompt {
public:
    void message(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
};

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);

// A blank movement of the given kind and day.
MovementRecord Movement(const std::string& tipmov, int day, int month, int year);
// The records of a year file, decoded and trimmed.
std::vector<MovementRecord> ReadMovements(const std::string& path);

}  // namespace veltrano::testing
