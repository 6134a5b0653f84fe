#include "datafile/JournalLine.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <vector>

#include "datafile/DataFile.h"

namespace eh {
namespace {

constexpr int kMaxRecordNumber = 100;
constexpr std::size_t kHexDigits = 8;

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void appendHex(std::string& out, std::uint32_t value) {
    constexpr std::string_view digits = "0123456789abcdef";
    for (int shift = 28; shift >= 0; shift -= 4) out.push_back(digits[(value >> shift) & 0xFu]);
}

// Exactly eight lower-case hex digits, nothing else.
std::optional<std::uint32_t> readHex(std::string_view text) {
    if (text.size() != kHexDigits) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            value = value << 4 | static_cast<std::uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            value = value << 4 | static_cast<std::uint32_t>(c - 'a' + 10);
        else
            return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    while (!line.empty()) {
        const auto space = line.find(' ');
        out.push_back(line.substr(0, space));
        if (space == std::string_view::npos) break;
        line.remove_prefix(space + 1);
    }
    return out;
}

} // namespace

std::string journalLine(const JournalRecord& record) {
    std::string line = "A " + std::to_string(record.number);
    // The bit patterns, so that the values read back exactly whatever the locale.
    for (const float v : record.values) {
        line.push_back(' ');
        appendHex(line, std::bit_cast<std::uint32_t>(v));
    }
    const std::uint32_t check = crc32(line);
    line.push_back(' ');
    appendHex(line, check);
    line.push_back('\n');
    return line;
}

std::optional<JournalRecord> parseJournalLine(std::string_view line) {
    if (line.size() < kHexDigits + 1) return std::nullopt;
    const std::string_view body = line.substr(0, line.size() - kHexDigits - 1);
    const auto check = readHex(line.substr(line.size() - kHexDigits));
    if (line[body.size()] != ' ' || !check || *check != crc32(body)) return std::nullopt;

    const std::vector<std::string_view> parts = fields(body);
    if (parts.size() != 8 || parts[0] != "A") return std::nullopt;
    JournalRecord record{};
    const auto [end, err] =
        std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), record.number);
    if (err != std::errc{} || end != parts[1].data() + parts[1].size() || record.number < 1 ||
        record.number > kMaxRecordNumber)
        return std::nullopt;
    for (std::size_t i = 0; i < record.values.size(); ++i) {
        const auto bits = readHex(parts[i + 2]);
        if (!bits) return std::nullopt;
        record.values[i] = std::bit_cast<float>(*bits);
    }
    return record;
}

std::string registerFromJournal(std::string_view journal) {
    std::vector<RecordValues> records;
    while (!journal.empty()) {
        const auto end = journal.find('\n');
        // A last line without its line end was cut short while being written.
        if (end == std::string_view::npos) break;
        if (const auto record = parseJournalLine(journal.substr(0, end))) {
            // A record number at or below the count overwrites that place, as the
            // register does after it was emptied.
            const auto place = static_cast<std::size_t>(record->number - 1);
            if (place < records.size()) records.resize(place);
            records.push_back(record->values);
        }
        journal.remove_prefix(end + 1);
    }
    std::string content;
    for (std::size_t k = 0; k < records.size(); ++k)
        content += formatDataLine(static_cast<int>(k + 1), records[k]);
    return content;
}

} // namespace eh
