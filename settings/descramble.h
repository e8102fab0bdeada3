// The shown model names are stored as capital letters with a rolling key, so that the
// program file does not carry them in clear. Only the way back to clear text lives here.
#pragma once

#include <cstdint>
#include <string>

namespace kora {

// Each pair of letters is one cipher byte (first letter most significant, base 26, mod 256);
// an odd last letter is ignored. Every cipher byte is XORed with the key's high byte, and the
// key then moves on from that cipher byte.
std::string DescrambleText(const std::string& scrambled, std::uint16_t key);

}  // namespace kora
