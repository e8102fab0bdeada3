#include "tests/support/scramble.h"

namespace kora::testing {

// Written out again rather than shared with the program, so that a round trip through
// both directions cannot hide a fault in a common key update.
std::string ScrambleText(const std::string& clear, std::uint16_t key) {
    std::string letters;
    letters.reserve(clear.size() * 2);
    for (const char ch : clear) {
        const auto c = static_cast<std::uint8_t>(static_cast<std::uint8_t>(ch) ^ (key >> 8));
        letters.push_back(static_cast<char>('A' + c / 26));
        letters.push_back(static_cast<char>('A' + c % 26));
        key = static_cast<std::uint16_t>(0x3D2B - (c + key) * 0x4E35);
    }
    return letters;
}

}  // namespace kora::testing
