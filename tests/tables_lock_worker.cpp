// Helper program of the tables lock test: one workstation saving into the shared
// reference tables through their windows.
//
//   tables_lock_worker FOLDER PREFIX COUNT
//       saves COUNT raw materials named PREFIX-k in TFMATPRI, then tries to save
//       an excise rate from 01/01/2030 in TFTABACCISE. Prints "rate saved" or
//       "rate refused", then "prompt MESSAGES QUESTIONS".
//
// It starts when its stdin reaches end of file, so that all start together.
// Exit 0, or 2 on error.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>

#include "core/dates.h"
#include "shell/clock.h"
#include "shell/session.h"
#include "shell/user_dialogs.h"
#include "tables/excise_rates.h"
#include "tables/raw_materials_form.h"

using namespace veltrano;

namespace {

// The user of a busy workstation: presses OK a moment later, never overrides a
// marker, chooses nothing from lists.
class PatientDialogs : public UserDialogs {
public:
    void inform(const std::string& text) override { note(text); }
    void warn(const std::string& text) override { note(text); }
    bool askYesNo(const std::string&) override {
        ++questions;
        return false;
    }
    bool askOkNo(const std::string&) override { return false; }
    int chooseFromList(const std::string&) override { return -1; }
    int pickMovement(const std::string&, int) override { return -1; }
    WindowResult open(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> chooseFile(const std::string&) override { return std::nullopt; }
    void setBusy(bool) override {}

    void note(const std::string& text) {
        if (text.rfind("ATTENDERE!", 0) == 0) {
            ++waits;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        } else {
            last = text;
        }
    }
    long waits = 0;
    long questions = 0;
    std::string last;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "uso: tables_lock_worker CARTELLA PREFISSO NUMERO\n");
        return 2;
    }
    try {
        const std::string prefix = argv[2];
        const int count = std::stoi(argv[3]);
        char c;
        while (::read(0, &c, 1) > 0) {
        }
        FixedClock clock(EncodeDate(2026, 12, 11));
        Session session(Folders::At(argv[1], std::string(argv[1]) + "/temp-" + prefix), clock);
        PatientDialogs dialogs;
        for (int k = 0; k < count; ++k) {
            session.mode = "MATPRIME";
            RawMaterialsForm form(session, dialogs);
            form.open();
            form.keyPressed();
            form.type("LE1", prefix + "-" + std::to_string(k));
            if (!form.leave("LE1")) return 2;
            form.confirm();
            if (form.editing() || !form.text("LE1").empty()) {
                std::fprintf(stderr, "not saved: %s\n", dialogs.last.c_str());
                return 2;
            }
        }
        ExciseRateForm rate(session, dialogs);
        rate.open();
        rate.keyPressed();
        rate.type("R10", "01/01/2030");
        rate.type("R11", prefix.size() > 1 ? "3,1" : "3,2");
        rate.confirm();
        std::printf("rate %s\n", rate.closed() ? "saved" : "refused");
        std::printf("prompt %ld %ld\n", dialogs.waits, dialogs.questions);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
}
