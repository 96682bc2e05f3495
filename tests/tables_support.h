#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/record_file.h"
#include "core/table_record.h"
#include "shell/clock.h"
#include "shell/session.h"
#include "shell_support.h"
#include "tables/installation.h"

namespace veltrano::testing {

// A working folder with the shipped structure files, a session on a fixed day
// and scripted dialogs.
class TablesTest : public ::testing::Test {
protected:
    TablesTest() {
        tmp.folders().create();
        InstallStructures(tmp.folders(), ShippedStructureSource());
    }

    std::string dati(const std::string& name) const {
        return JoinPath(tmp.folders().datiGen, name);
    }
    // The entries of a table file, trimmed, in stored order.
    std::vector<TableRecord> entries(const std::string& file) const {
        const RecordFile f = RecordFile::OpenIfPresent(dati(file), TableRecord::kSize);
        std::vector<TableRecord> out;
        for (std::size_t k = 0; k < f.count(); ++k) {
            TableRecord r = TableRecord::decode(f.record(k));
            TableTrim(r);
            out.push_back(r);
        }
        return out;
    }
    std::vector<std::string> names(const std::string& file) const {
        std::vector<std::string> out;
        for (const auto& r : entries(file))
            out.push_back(r.STR1[0]);
        return out;
    }
    // Stores an entry as the windows do (ordered insert, new ID).
    TableRecord add(const std::string& table, const std::string& key,
                    const std::string& second = {}) {
        TableRecord r;
        TableBlank(r);
        r.STR1[0] = key;
        r.STR1[1] = second;
        r.STR2[0] = table;
        ScriptedDialogs quiet;
        TableInsertOrdered(dati(table + ".TAB"), r, quiet);
        return r;
    }

    TempWorkFolder tmp;
    FixedClock clock{Date(2026, 12, 11) + 0.4};
    Session session{tmp.folders(), clock};
    ScriptedDialogs dialogs;
};

}  // namespace veltrano::testing
