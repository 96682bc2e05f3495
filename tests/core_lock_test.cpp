#include <gtest/gtest.h>

#include "core/lock.h"
#include "support/test_support.h"

namespace veltrano {
namespace {

using testing::ScriptedPrompt;
using testing::TempWorkFolder;

TEST(LockFile, Messages) {
    EXPECT_EQ(LockMarkerPath("/w/REGISTRI/2024.CTT"), "/w/REGISTRI/2024.CTT$");
    EXPECT_EQ(LockWaitMessage("/w/REGISTRI/2024.CTT"),
              "ATTENDERE! IL FILE: /w/REGISTRI/2024.CTT E` APERTO DA UN ALTRO UTENTE \r\r PREMI OK "
              "PER RIPROVARE ");
    EXPECT_EQ(LockOverrideQuestion("/w/REGISTRI/2024.CTT"),
              "ATTENZIONE! ACCERTARSI CHE IL FILE: /w/REGISTRI/2024.CTT NON SIA APERTO DA UN ALTRO "
              "UTENTE\r\r PREMI \"YES\" SE NESSUN UTENTE STA UTILIZZANDO IL FILE");
}

TEST(LockFile, FreeFileIsTakenAtOnceAndReleased) {
    TempWorkFolder w;
    const std::string p = JoinPath(w.folders().registri, "2024.CTT");
    ScriptedPrompt prompt;
    LockFile(p, prompt);
    EXPECT_TRUE(FileExists(p + "$"));
    EXPECT_TRUE(prompt.messages.empty());
    UnlockFile(p);
    EXPECT_FALSE(FileExists(p + "$"));
    UnlockFile(p);  // a missing marker is not an error
}

TEST(LockFile, StaleMarkerTenMessagesThenTheQuestion) {
    TempWorkFolder w;
    const std::string p = JoinPath(w.folders().registri, "2024.CTT");
    CreateEmptyIfMissing(p + "$");
    ScriptedPrompt prompt;
    prompt.answers = {false, false, true};  // No, No, then Yes
    {
        FileLock lock(p, prompt);
        EXPECT_TRUE(FileExists(p + "$"));
        lock.release();
    }
    ASSERT_EQ(prompt.messages.size(), 13u);
    for (const auto& m : prompt.messages)
        EXPECT_EQ(m, LockWaitMessage(p));
    ASSERT_EQ(prompt.questions.size(), 3u) << "asked from the eleventh attempt on";
    EXPECT_EQ(prompt.questions[0], LockOverrideQuestion(p));
    EXPECT_FALSE(FileExists(p + "$")) << "the overridden marker is removed at the end";
}

// Releases the marker held by "another workstation" at the third message.
class ReleasingPrompt : public ScriptedPrompt {
public:
    explicit ReleasingPrompt(std::string marker) : marker_(std::move(marker)) {}
    void message(const std::string& text) override {
        ScriptedPrompt::message(text);
        if (messages.size() == 3) RemoveFile(marker_);
    }

private:
    std::string marker_;
};

TEST(LockFile, WaitsUntilTheOtherWorkstationIsDone) {
    TempWorkFolder w;
    const std::string p = JoinPath(w.folders().registri, "2024.MPR");
    CreateEmptyIfMissing(p + "$");
    ReleasingPrompt prompt(p + "$");
    LockFile(p, prompt);
    EXPECT_EQ(prompt.messages.size(), 3u);
    EXPECT_TRUE(prompt.questions.empty());
    EXPECT_TRUE(FileExists(p + "$"));
    UnlockFile(p);
}

TEST(FileLock, ReleasedWhenTheChangeFails) {
    TempWorkFolder w;
    const std::string p = JoinPath(w.folders().registri, "2024.CND");
    ScriptedPrompt prompt;
    try {
        FileLock lock(p, prompt);
        throw std::runtime_error("failure in the middle of a change");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(FileExists(p + "$"));
}

}  // namespace
}  // namespace veltrano
