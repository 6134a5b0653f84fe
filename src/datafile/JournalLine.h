#pragma once
// One line of the register's journal: a record number and the six values, bit for
// bit, followed by a check sum so that a line cut short or garbled is recognised.
//   "A 3 43978000 460ca000 41200000 3f555555 bed55555 3ed55555 1c291ca3\n"

#include <optional>
#include <string>
#include <string_view>

#include "datafile/RegisterJournal.h"

namespace eh {

struct JournalRecord {
    int number; // 1..100, the record's place in the register
    RecordValues values;
};

std::string journalLine(const JournalRecord& record);

// The record of a line without its line end, or nothing when the line is damaged.
std::optional<JournalRecord> parseJournalLine(std::string_view line);

// The register a whole journal describes, in the data file's format: what `Salvar`
// would have written. Damaged lines are left out.
std::string registerFromJournal(std::string_view journal);

} // namespace eh
