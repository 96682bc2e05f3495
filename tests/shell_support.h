#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/folders.h"
#include "core/table_record.h"
#include "registers/movement.h"
#include "shell/company_record.h"
#include "shell/session.h"
#include "shell/user_dialogs.h"

namespace veltrano::testing {

// A UserDialogs that records everything shown and answers from scripts. A
// question without a scripted answer fails the test.
class ScriptedDialogs : public UserDialogs {
public:
    struct Shown {
        std::string kind;  // inform, warn, yesno, okno, list, picker, open, file
        std::string text;
    };
    std::vector<Shown> shown;
    std::deque<bool> answers;
    std::deque<int> listChoices;
    std::deque<WindowResult> windowResults;
    std::deque<std::optional<std::string>> files;
    int busyDepth = 0;

    void inform(const std::string& text) override { shown.push_back({"inform", text}); }
    void warn(const std::string& text) override { shown.push_back({"warn", text}); }
    bool askYesNo(const std::string& text) override { return answer("yesno", text); }
    bool askOkNo(const std::string& text) override { return answer("okno", text); }
    int chooseFromList(const std::string& table) override;
    int pickMovement(const std::string& state, int year) override;
    WindowResult open(const std::string& window, const std::string& mode) override;
    std::optional<std::string> chooseFile(const std::string& startPath) override;
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }

    // Texts of the messages (inform and warn) in order.
    std::vector<std::string> messages() const;
    void clear() { shown.clear(); }

private:
    bool answer(const std::string& kind, const std::string& text);
};

// A working folder and a temporary folder in a fresh directory, removed at the end.
class TempWorkFolder {
public:
    TempWorkFolder();
    ~TempWorkFolder();
    TempWorkFolder(const TempWorkFolder&) = delete;
    TempWorkFolder& operator=(const TempWorkFolder&) = delete;
    const Folders& folders() const { return folders_; }
    const std::string& root() const { return root_; }

private:
    std::string root_;
    Folders folders_;
};

// A company record with every field that the settings check needs.
CompanyRecord SampleCompany();
void WriteCompany(const Session& s, const CompanyRecord& rec);
// Signing settings with both folders, and web addresses with both EDI addresses.
void WriteCompleteSettings(const Session& s);
// TA03 with one search field and the given offices (code, description).
void WriteOfficeTable(const Folders& f,
                      const std::vector<std::pair<std::string, std::string>>& offices);
void AppendMovement(const std::string& path, const MovementRecord& rec);
Bytes FileBytes(const std::string& path);

double Date(int year, int month, int day);

}  // namespace veltrano::testing
