// Two workstations saving into the same reference tables at once: the lock
// markers serialise them, so no entry is lost, IDs stay unique, the key order
// holds, and a start date is taken only once.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/dates.h"
#include "core/folders.h"
#include "core/record_file.h"
#include "core/table_record.h"
#include "support/child_process.h"
#include "tables/installation.h"

namespace veltrano {
namespace {

using namespace testsupport;

TEST(TablesLock, TwoWorkstationsSavingAtOnce) {
    TempFolder root("tables-lock");
    const Folders folders = Folders::At(root.path(), root / "temp");
    InstallStructures(folders, ShippedStructureSource());
    const int count = kSanitized ? 15 : 40;

    std::vector<Child> children;
    for (const char* prefix : {"AA", "B"}) {
        children.push_back(
            Spawn({VELTRANO_TABLES_LOCK_WORKER, root.path(), prefix, std::to_string(count)}, true));
    }
    for (Child& c : children)
        CloseFd(c.stdinFd);  // start together
    std::vector<std::string> outputs;
    for (Child& c : children) {
        outputs.push_back(ReadAll(c.stdoutFd));
        const ExitStatus s = Wait(c.pid);
        ASSERT_FALSE(s.signaled);
        ASSERT_EQ(s.code, 0) << outputs.back();
    }

    const RecordFile materials =
        RecordFile::OpenIfPresent(JoinPath(folders.datiGen, "MATPRIME.TAB"), TableRecord::kSize);
    ASSERT_EQ(materials.count(), static_cast<std::size_t>(2 * count));
    std::set<std::int32_t> ids;
    std::set<std::string> names;
    std::string previous;
    for (std::size_t k = 0; k < materials.count(); ++k) {
        TableRecord r = TableRecord::decode(materials.record(k));
        TableTrim(r);
        ids.insert(r.ID);
        names.insert(r.STR1[0]);
        EXPECT_LE(previous, r.STR1[0]) << "order at " << k;
        previous = r.STR1[0];
    }
    EXPECT_EQ(ids.size(), materials.count());
    EXPECT_EQ(*ids.rbegin(), 2 * count);
    EXPECT_EQ(names.size(), materials.count());
    EXPECT_EQ(names.count("AA-0") + names.count("B-" + std::to_string(count - 1)), 2u);

    int saved = 0;
    for (const std::string& out : outputs)
        saved += out.find("rate saved") != std::string::npos;
    EXPECT_EQ(saved, 1) << outputs[0] << outputs[1];
    const RecordFile rates =
        RecordFile::OpenIfPresent(JoinPath(folders.datiGen, "ACCISE.TAB"), TableRecord::kSize);
    EXPECT_EQ(rates.count(), 1u);
    // No marker is left behind.
    for (const std::string& f : ListFolder(folders.datiGen))
        EXPECT_NE(f.back(), '$') << f;
}

}  // namespace
}  // namespace veltrano
