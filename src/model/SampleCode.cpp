#include "model/SampleCode.h"

#include <cctype>

namespace eh {
namespace {

constexpr int kBase = static_cast<int>(kCodeAlphabet.size()); // 31, a prime

int weightedSum(const std::array<std::uint8_t, kCodeLength>& v) {
    int sum = 0;
    for (int i = 0; i < kCodeLength; ++i) sum += (i + 1) * v[static_cast<std::size_t>(i)];
    return sum;
}

// The characters a user may confuse with others, so the alphabet leaves them out.
bool isLeftOut(char upper) {
    return upper == '0' || upper == 'O' || upper == '1' || upper == 'I' || upper == 'L';
}

// One character as the user typed it, for a message: a byte of a multi-byte UTF-8
// character takes the whole character with it.
std::string typedCharacter(std::string_view typed, std::size_t at) {
    std::size_t end = at + 1;
    if (static_cast<unsigned char>(typed[at]) >= 0xC0)
        while (end < typed.size() && (static_cast<unsigned char>(typed[end]) & 0xC0) == 0x80) ++end;
    return std::string(typed.substr(at, end - at));
}

} // namespace

std::uint8_t codeCheckValue(const std::array<std::uint8_t, kCodeLength - 1>& payload) {
    int sum = 0;
    for (int i = 0; i < kCodeLength - 1; ++i) sum += (i + 1) * payload[static_cast<std::size_t>(i)];
    // Find c with sum + 8 c = 0 (mod 31); 8 * 4 = 32 = 1 (mod 31), so c = -4 sum.
    const int c = ((-4 * sum) % kBase + kBase) % kBase;
    return static_cast<std::uint8_t>(c);
}

SampleCode SampleCode::fromPayload(const std::array<std::uint8_t, kCodeLength - 1>& payload) {
    SampleCode code;
    for (std::size_t i = 0; i < payload.size(); ++i)
        code.values_[i] = static_cast<std::uint8_t>(payload[i] % kBase);
    std::array<std::uint8_t, kCodeLength - 1> reduced{};
    for (std::size_t i = 0; i < reduced.size(); ++i) reduced[i] = code.values_[i];
    code.values_[kCodeLength - 1] = codeCheckValue(reduced);
    return code;
}

std::optional<SampleCode> SampleCode::parse(std::string_view typed, std::string& error) {
    std::string symbols;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c == ' ' || c == '-' || c == '\t') continue;
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (isLeftOut(upper)) {
            error = std::string("El código no lleva el carácter «") + upper +
                    "»: los códigos no usan 0, 1, I, L ni O para que no se confundan.";
            return std::nullopt;
        }
        if (kCodeAlphabet.find(upper) == std::string_view::npos) {
            error = "El código solo lleva cifras del 2 al 9 y letras; «" + typedCharacter(typed, i) +
                    "» no es válido.";
            return std::nullopt;
        }
        symbols += upper;
    }
    if (symbols.empty()) {
        error = "Escriba el código de la muestra problema.";
        return std::nullopt;
    }
    if (symbols.size() != kCodeLength) {
        error = "El código tiene 8 caracteres (sin contar el guion) y se han escrito " +
                std::to_string(symbols.size()) + ".";
        return std::nullopt;
    }
    SampleCode code;
    for (std::size_t i = 0; i < symbols.size(); ++i)
        code.values_[i] = static_cast<std::uint8_t>(kCodeAlphabet.find(symbols[i]));
    if (weightedSum(code.values_) % kBase != 0) {
        error =
            "El código " + code.text() +
            " no es válido: compruebe que ningún carácter está mal copiado ni hay dos cambiados de orden.";
        return std::nullopt;
    }
    if (code.version() > kNewestCodeVersion) {
        error = "El código " + code.text() +
                " es de una versión de Tarvelo más nueva que esta: hace falta actualizar el programa.";
        return std::nullopt;
    }
    return code;
}

std::string SampleCode::text() const {
    std::string out;
    for (std::size_t i = 0; i < values_.size(); ++i) {
        if (i == kCodeLength / 2) out += '-';
        out += kCodeAlphabet[values_[i]];
    }
    return out;
}

} // namespace eh
