#include "crash_change.h"

#include <stdexcept>

#include "core/table_record.h"
#include "registers/movement.h"

namespace veltrano::crashtest {
namespace {

const char* kindName(Change::Kind k) {
    switch (k) {
        case Change::Kind::InsertMovement:
            return "insert";
        case Change::Kind::DeleteSanitisation:
            return "delete-sanitisation";
        case Change::Kind::DeleteBatch:
            return "delete-batch";
        case Change::Kind::InsertTableEntry:
            return "insert-table";
    }
    return "?";
}

std::int32_t toInt(const std::string& s) {
    std::size_t used = 0;
    const long v = std::stol(s, &used);
    if (used != s.size()) throw std::invalid_argument("not a number: " + s);
    return static_cast<std::int32_t>(v);
}

}  // namespace

std::vector<std::string> Change::toArgs() const {
    switch (kind) {
        case Kind::InsertMovement:
            return {kindName(kind),
                    std::to_string(day),
                    std::to_string(inizio),
                    std::to_string(finale),
                    tipmov,
                    text};
        case Kind::DeleteSanitisation:
        case Kind::DeleteBatch:
            return {kindName(kind), std::to_string(number)};
        case Kind::InsertTableEntry:
            return {kindName(kind), text};
    }
    return {};
}

Change Change::fromArgs(const std::vector<std::string>& a) {
    if (a.empty()) throw std::invalid_argument("no change");
    Change c;
    if (a[0] == "insert" && a.size() == 6) {
        c.kind = Kind::InsertMovement;
        c.day = toInt(a[1]);
        c.inizio = toInt(a[2]);
        c.finale = toInt(a[3]);
        c.tipmov = a[4];
        c.text = a[5];
    } else if ((a[0] == "delete-sanitisation" || a[0] == "delete-batch") && a.size() == 2) {
        c.kind = a[0] == "delete-batch" ? Kind::DeleteBatch : Kind::DeleteSanitisation;
        c.number = toInt(a[1]);
    } else if (a[0] == "insert-table" && a.size() == 2) {
        c.kind = Kind::InsertTableEntry;
        c.text = a[1];
    } else {
        throw std::invalid_argument("unknown change " + a[0]);
    }
    return c;
}

std::string Change::describe() const {
    std::string s;
    for (const auto& a : toArgs())
        s += (s.empty() ? "" : " ") + a;
    return s;
}

std::vector<std::string> FilesOf(const Change& c) {
    switch (c.kind) {
        case Change::Kind::InsertMovement:
        case Change::Kind::DeleteSanitisation:
            return {kWortFile};
        case Change::Kind::DeleteBatch:
            return {kWortFile, kRawFile};
        case Change::Kind::InsertTableEntry:
            return {kTableFile};
    }
    return {};
}

void Apply(const Change& c, const std::string& folder, Prompt& prompt) {
    const std::string wort = folder + "/" + kWortFile;
    switch (c.kind) {
        case Change::Kind::InsertMovement: {
            MovementRecord r;
            MovementBlank(r);
            r.DATMOV = c.day;
            r.TIPMOV = c.tipmov;
            r.INIZIO = c.inizio;
            r.FINALE = c.finale;
            r.LITRII = c.finale - c.inizio;
            r.LMOSTO = "L" + c.text;
            r.ANNOTA = c.text;
            MovementInsertOrdered(wort, r, prompt);
            break;
        }
        case Change::Kind::DeleteSanitisation:
            MovementDeleteByNumber(c.number, wort, "S", prompt);
            break;
        case Change::Kind::DeleteBatch:
            MovementDeleteByNumber(c.number, wort, "C", prompt);
            break;
        case Change::Kind::InsertTableEntry: {
            TableRecord t;
            TableBlank(t);
            t.STR1[0] = c.text;
            t.STR1[1] = "voce " + c.text;
            t.REALI1[0] = 1.5;
            TableInsertOrdered(folder + "/" + kTableFile, t, prompt);
            break;
        }
    }
}

}  // namespace veltrano::crashtest
