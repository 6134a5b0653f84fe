#include "clase/ClassCodes.h"

#include <set>
#include <string>

namespace eh::clase {
namespace {

std::uint64_t fnv1a(std::uint64_t hash, std::string_view bytes) {
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

std::uint64_t splitmix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

SampleCode drawCode(const Student& s, std::uint64_t seed, unsigned char attempt) {
    std::string seedBytes(8, '\0');
    for (int i = 0; i < 8; ++i) seedBytes[static_cast<std::size_t>(i)] = static_cast<char>(seed >> (8 * i));
    std::uint64_t state = 0xCBF29CE484222325ULL;
    state = fnv1a(state, seedBytes);
    state = fnv1a(state, s.name);
    state = fnv1a(state, "\x1F");
    state = fnv1a(state, s.group);
    state = fnv1a(state, std::string_view(reinterpret_cast<const char*>(&attempt), 1));
    std::array<std::uint8_t, kCodeLength - 1> payload{};
    payload[0] = static_cast<std::uint8_t>(4 * (splitmix(state) % 8));
    for (std::size_t i = 1; i < payload.size(); ++i)
        payload[i] = static_cast<std::uint8_t>(splitmix(state) % 31);
    return SampleCode::fromPayload(payload);
}

} // namespace

std::vector<SampleCode> classCodes(const std::vector<Student>& students, std::uint64_t seed) {
    std::vector<SampleCode> codes;
    std::set<std::string> given;
    for (const Student& s : students)
        for (unsigned char attempt = 0;; ++attempt) {
            SampleCode code = drawCode(s, seed, attempt);
            if (given.insert(code.text()).second) {
                codes.push_back(code);
                break;
            }
        }
    return codes;
}

} // namespace eh::clase
