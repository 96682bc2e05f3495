#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/prompt.h"

namespace veltrano::crashtest {

// The files of the folder a crash run works on.
inline constexpr const char* kWortFile = "2024.CTT";
inline constexpr const char* kRawFile = "2024.MPR";
inline constexpr const char* kTableFile = "TA03.TAB";

// One change to the files of a folder: the crash writer applies it to the real
// folder (and is killed meanwhile); the test applies it to a copy to learn the
// bytes the change must leave.
struct Change {
    enum class Kind { InsertMovement, DeleteSanitisation, DeleteBatch, InsertTableEntry };
    Kind kind = Kind::InsertMovement;
    int day = 0;              // InsertMovement: serial day
    std::int32_t inizio = 0;  // InsertMovement: meter readings
    std::int32_t finale = 0;
    std::string tipmov;       // InsertMovement
    std::int32_t number = 0;  // DeleteSanitisation, DeleteBatch
    std::string text;         // InsertMovement: ANNOTA; InsertTableEntry: the key

    std::vector<std::string> toArgs() const;
    // Throws std::invalid_argument on a malformed list.
    static Change fromArgs(const std::vector<std::string>& args);
    std::string describe() const;
};

// The files the change locks and may rewrite.
std::vector<std::string> FilesOf(const Change& c);

// Applies the change through the register and table routines.
void Apply(const Change& c, const std::string& folder, Prompt& prompt);

// Answers No to the first yesAt - 1 override questions and Yes from then on;
// keeps every text it was shown.
class ScriptedPrompt : public Prompt {
public:
    explicit ScriptedPrompt(int yesAt = 1) : yesAt_(yesAt) {}
    void message(const std::string& text) override {
        ++messages;
        texts.push_back(text);
    }
    bool askYesNo(const std::string& text) override {
        ++questions;
        texts.push_back(text);
        messagesAtQuestion.push_back(messages);
        if (questions < yesAt_) return false;
        ++overrides;
        return true;
    }
    int messages = 0;
    int questions = 0;
    int overrides = 0;
    std::vector<int> messagesAtQuestion;  // messages shown before each question
    std::vector<std::string> texts;

private:
    int yesAt_;
};

}  // namespace veltrano::crashtest
