// The stored password's cipher.
#include "publish/PasswordCipher.h"

#include "document/NumberText.h"

#include <chrono>
#include <random>
#include <vector>

namespace dravenloom {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

void AppendPair(std::string& out, unsigned value) {
    out += HexDigits[(value >> 4) & 0xF];
    out += HexDigits[value & 0xF];
}

} // namespace

std::string EncipherPassword(std::string_view plain, unsigned char seed, std::string_view key) {
    std::string out;
    if (plain.empty())
        return out;
    out.reserve(2 + 2 * plain.size());
    AppendPair(out, seed);
    unsigned previous = seed;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto byte = static_cast<unsigned char>(plain[i]);
        const auto k = static_cast<unsigned char>(key[i % key.size()]);
        const unsigned value = ((byte + previous) % 255) ^ k;
        AppendPair(out, value);
        previous = value;
    }
    return out;
}

std::optional<std::string> DecipherPassword(std::string_view ciphered, std::string_view key) {
    std::string plain;
    if (ciphered.empty())
        return plain;
    if (ciphered.size() % 2 != 0)
        return std::nullopt;
    std::vector<unsigned> pairs;
    for (std::size_t i = 0; i < ciphered.size(); i += 2) {
        const int high = HexDigitValue(ciphered[i]);
        const int low = HexDigitValue(ciphered[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        pairs.push_back(static_cast<unsigned>(high * 16 + low));
    }
    unsigned previous = pairs[0];
    for (std::size_t i = 1; i < pairs.size(); ++i) {
        const auto k = static_cast<unsigned char>(key[(i - 1) % key.size()]);
        const unsigned d = pairs[i] ^ k;
        int byte = previous < d ? static_cast<int>(d - previous)
                                : static_cast<int>(d) - static_cast<int>(previous) + 255;
        // The byte 255 after a pair of 255 enciphers as 0 (255 + 255 is 0 modulo 255); no
        // typed text holds the byte 0, so it can only stand for 255.
        if (byte == 0)
            byte = 255;
        plain += static_cast<char>(byte);
        previous = pairs[i];
    }
    return plain;
}

unsigned char FreshCipherSeed() {
    static std::mt19937 random(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    return static_cast<unsigned char>(std::uniform_int_distribution<int>(0, 255)(random));
}

} // namespace dravenloom
