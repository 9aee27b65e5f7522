// The reversible cipher of the stored FTP password: a random seed, then one hexadecimal pair
// per character, each depending on the one before.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dravenloom {

// The cipher's key: the program never sets another.
inline constexpr std::string_view DefaultCipherKey = "Dr4v3nL";
static_assert(DefaultCipherKey.size() == 7);

// The password (code page 1252 bytes) as upper-case hexadecimal pairs: `seed`, then one pair
// per byte. An empty password gives an empty text.
std::string EncipherPassword(std::string_view plain, unsigned char seed,
                             std::string_view key = DefaultCipherKey);

// The password back; nothing when the text is not an enciphered password (odd length, or a
// character that is not a hexadecimal digit).
std::optional<std::string> DecipherPassword(std::string_view ciphered,
                                            std::string_view key = DefaultCipherKey);

// A fresh seed from a generator seeded from the clock.
unsigned char FreshCipherSeed();

} // namespace dravenloom
