#include <gtest/gtest.h>

#include <sstream>

#include "admin/commands.h"
#include "admin/demo.h"
#include "admin/stock_command.h"
#include "core/dates.h"
#include "registers/forms/stock_form.h"
#include "registers/year_files.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::FileBytes;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

TEST(AdminStock, SameFilesAsTheWindowAndEveryYearWithFrom) {
    TempWorkFolder work;
    work.folders().create();
    ScriptedDialogs dialogs;
    ASSERT_TRUE(admin::CreateDemo(work.folders(), 2025, dialogs));

    FixedClock clock(Date(2026, 12, 11));
    Session session(work.folders(), clock);
    StockForm form(session, dialogs);
    form.open();
    form.keyPressed();
    form.type("LANNO", "2026");
    ASSERT_TRUE(form.leave("LANNO").passed);
    form.confirm();
    std::vector<Bytes> byWindow;
    for (const char* ext : {"GMP", "GMS", "GCN"}) {
        byWindow.push_back(FileBytes(YearFilePath(work.folders(), 2026, ext)));
        RemoveFile(YearFilePath(work.folders(), 2026, ext));
    }
    ASSERT_FALSE(byWindow[0].empty()) << "the demo year leaves raw materials in stock";

    std::ostringstream out, err;
    EXPECT_EQ(admin::CommandStock(2026, false, work.folders().work, 2026, out, err), admin::kExitOk)
        << err.str();
    int k = 0;
    for (const char* ext : {"GMP", "GMS", "GCN"}) {
        EXPECT_EQ(FileBytes(YearFilePath(work.folders(), 2026, ext)), byWindow[k++]) << ext;
    }
    std::string list;
    for (const auto& line : form.result().lines)
        list += line + "\n";
    EXPECT_EQ(out.str(), list) << "the same list as the window";

    std::ostringstream out2, err2;
    EXPECT_EQ(admin::CommandStock(2024, true, work.folders().work, 2026, out2, err2),
              admin::kExitOk);
    for (int y = 2024; y <= 2026; ++y) {
        EXPECT_NE(out2.str().find("== " + std::to_string(y) + "\n"), std::string::npos) << y;
        EXPECT_TRUE(FileExists(YearFilePath(work.folders(), y, "GMS"))) << y;
    }
}

TEST(AdminStock, RefusedYears) {
    TempWorkFolder work;
    work.folders().create();
    for (const int year : {2027, 2018}) {
        std::ostringstream out, err;
        EXPECT_EQ(admin::CommandStock(year, false, work.folders().work, 2026, out, err),
                  admin::kExitUsage);
        EXPECT_FALSE(err.str().empty());
        EXPECT_FALSE(FileExists(YearFilePath(work.folders(), year, "GMP")));
    }
    std::ostringstream out, err;
    EXPECT_EQ(admin::CommandStock(2027, false, work.folders().work, 2026, out, err),
              admin::kExitUsage);
    EXPECT_NE(err.str().find(kStockYearNotAllowed), std::string::npos);
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

TEST(AdminStock, ComputedStockFilesPassTheCheck) {
    TempWorkFolder work;
    work.folders().create();
    ScriptedDialogs dialogs;
    ASSERT_TRUE(admin::CreateDemo(work.folders(), 2025, dialogs));
    std::ostringstream out, err;
    ASSERT_EQ(admin::CommandStock(2026, false, work.folders().work, 2026, out, err),
              admin::kExitOk);
    ASSERT_FALSE(FileBytes(YearFilePath(work.folders(), 2026, "GMS")).empty());
    std::ostringstream report, messages;
    EXPECT_EQ(admin::CommandCheck(work.folders().work, report, messages), admin::kExitOk)
        << report.str();
}

}  // namespace
}  // namespace veltrano
