// The unknown sample's code: what a student types is read back as the same code, and
// a code copied with one wrong character or two neighbours swapped is refused, never
// taken for another sample.
#include <gtest/gtest.h>

#include <random>

#include "model/SampleCode.h"

using namespace eh;

namespace {

using Payload = std::array<std::uint8_t, kCodeLength - 1>;

// Random version-1 codes from a fixed seed. The engine's raw output is the same on
// every platform (unlike the library's distributions).
std::vector<SampleCode> randomCodes(std::size_t count) {
    std::mt19937_64 gen(20261207);
    std::vector<SampleCode> codes;
    for (std::size_t k = 0; k < count; ++k) {
        Payload p{};
        for (auto& v : p) v = static_cast<std::uint8_t>(gen() % 31);
        p[0] = static_cast<std::uint8_t>(4 * (p[0] % 8)); // 0, 4, ..., 28: version 1
        codes.push_back(SampleCode::fromPayload(p));
    }
    return codes;
}

std::optional<SampleCode> parse(std::string_view typed) {
    std::string error;
    return SampleCode::parse(typed, error);
}

std::string refusal(std::string_view typed) {
    std::string error;
    EXPECT_FALSE(SampleCode::parse(typed, error)) << typed;
    return error;
}

} // namespace

// Worked by hand: the weighted sum 1*v1 + 2*v2 + ... + 8*v8 must be a multiple of 31.
TEST(SampleCode, CheckSymbolMakesTheWeightedSumAMultipleOf31) {
    const std::pair<Payload, const char*> rows[] = {
        {{0, 0, 0, 0, 0, 0, 0}, "2222-2222"}, // nothing to balance
        {{4, 0, 0, 0, 0, 0, 0}, "6222-222H"}, // 4 + 8*15 = 124 = 4*31; H is symbol 15
        // 8 + 2*1 + 3*2 + 4*3 + 5*4 + 6*5 + 7*6 = 120; 120 + 8*16 = 248 = 8*31; J is 16
        {{8, 1, 2, 3, 4, 5, 6}, "A345-678J"},
        // 28 + 2*30 + 3*30 + ... + 7*30 = 838 = 27*31 + 1;
        // 1 + 8*c = 31k needs c = 27 (217 = 7*31); W is 27
        {{28, 30, 30, 30, 30, 30, 30}, "XZZZ-ZZZW"},
    };
    for (const auto& [payload, text] : rows) {
        const SampleCode code = SampleCode::fromPayload(payload);
        EXPECT_EQ(code.text(), text);
        EXPECT_EQ(code.version(), 1) << text;
        EXPECT_EQ(parse(text), code) << text;
    }
}

// What a student may type for "A345-678J": lower case, blanks and hyphens anywhere.
TEST(SampleCode, ReadsLowerCaseBlanksAndHyphensAnywhere) {
    const SampleCode code = SampleCode::fromPayload({8, 1, 2, 3, 4, 5, 6});
    for (const char* typed :
         {"A345-678J", "a345-678j", "A345678J", " a345 678j ", "A3-45-67-8J", "-a 3 4 5 6 7 8 j-"})
        EXPECT_EQ(parse(typed), code) << typed;
}

TEST(SampleCode, RoundTripOfRandomCodes) {
    for (const SampleCode& code : randomCodes(10000)) {
        const std::string text = code.text();
        ASSERT_EQ(text.size(), 9u);
        EXPECT_EQ(text[4], '-');
        EXPECT_EQ(parse(text), code) << text;
    }
}

// Every single mistyped symbol (8 places, 30 wrong symbols each) and every swap of two
// different neighbours of 10 000 codes is refused with the check message.
TEST(SampleCode, EverySingleErrorAndNeighbourSwapIsRefused) {
    std::size_t tried = 0, accepted = 0;
    std::string firstAccepted;
    std::string error;
    auto tryTyped = [&](const std::string& typed) {
        ++tried;
        error.clear();
        if (SampleCode::parse(typed, error) || error.find("no es válido: compruebe") == std::string::npos) {
            if (accepted++ == 0) firstAccepted = typed + " " + error;
        }
    };
    for (const SampleCode& code : randomCodes(10000)) {
        std::string symbols = code.text();
        symbols.erase(4, 1);
        for (std::size_t at = 0; at < symbols.size(); ++at) {
            for (char other : kCodeAlphabet) {
                if (other == symbols[at]) continue;
                std::string typed = symbols;
                typed[at] = other;
                tryTyped(typed);
            }
            if (at + 1 < symbols.size() && symbols[at] != symbols[at + 1]) {
                std::string typed = symbols;
                std::swap(typed[at], typed[at + 1]);
                tryTyped(typed);
            }
        }
    }
    EXPECT_GT(tried, 10000u * 8 * 30);
    EXPECT_EQ(accepted, 0u) << firstAccepted;
}

TEST(SampleCode, MalformedInputIsRefusedWithItsReason) {
    const std::pair<const char*, const char*> rows[] = {
        {"", "Escriba el código de la muestra problema."},
        {" - ", "Escriba el código de la muestra problema."},
        {"A345-678", "El código tiene 8 caracteres (sin contar el guion) y se han escrito 7."},
        {"A345-678JJ", "El código tiene 8 caracteres (sin contar el guion) y se han escrito 9."},
        {"A345-6O8J",
         "El código no lleva el carácter «O»: los códigos no usan 0, 1, I, L ni O para que no se confundan."},
        {"a345-6o8j",
         "El código no lleva el carácter «O»: los códigos no usan 0, 1, I, L ni O para que no se confundan."},
        {"A345-608J",
         "El código no lleva el carácter «0»: los códigos no usan 0, 1, I, L ni O para que no se confundan."},
        {"A345-618J",
         "El código no lleva el carácter «1»: los códigos no usan 0, 1, I, L ni O para que no se confundan."},
        {"A345-6i8J",
         "El código no lleva el carácter «I»: los códigos no usan 0, 1, I, L ni O para que no se confundan."},
        {"A345-6l8J",
         "El código no lleva el carácter «L»: los códigos no usan 0, 1, I, L ni O para que no se confundan."},
        {"A345_678J", "El código solo lleva cifras del 2 al 9 y letras; «_» no es válido."},
        {"A345-6ñ8J", "El código solo lleva cifras del 2 al 9 y letras; «ñ» no es válido."},
        {"A345-678K", "El código A345-678K no es válido: compruebe que ningún carácter está mal copiado ni "
                      "hay dos cambiados "
                      "de orden."},
    };
    for (const auto& [typed, message] : rows) EXPECT_EQ(refusal(typed), message) << typed;
}

// A code of a derivation this program does not know yet is refused, never read with
// today's derivation. First symbol 3 (value 1) is version 2: 1 + 8*27 = 217 = 7*31.
TEST(SampleCode, LaterVersionsAreRefused) {
    const SampleCode later = SampleCode::fromPayload({1, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(later.text(), "3222-222W");
    EXPECT_EQ(later.version(), 2);
    EXPECT_EQ(refusal("3222-222W"),
              "El código 3222-222W es de una versión de Tarvelo más nueva que esta: hace falta actualizar el "
              "programa.");
    // The four versions take turns over the first symbol: 2 3 4 5 6 are 1 2 3 4 1.
    const std::pair<std::uint8_t, int> versions[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 1}, {30, 3}};
    for (const auto& [first, version] : versions)
        EXPECT_EQ(SampleCode::fromPayload({first, 0, 0, 0, 0, 0, 0}).version(), version) << int{first};
}
