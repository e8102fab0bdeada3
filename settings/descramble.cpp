#include "settings/descramble.h"

namespace kora {

namespace {

std::uint16_t NextKey(std::uint16_t key, std::uint8_t cipherByte) {
    // Unsigned arithmetic wraps; truncating to 16 bits is the mod 65536.
    return static_cast<std::uint16_t>(0x3D2Bu - (cipherByte + static_cast<std::uint32_t>(key)) * 0x4E35u);
}

std::uint8_t CipherByteAt(const std::string& scrambled, std::size_t pair) {
    const int hi = scrambled[2 * pair] - 'A';
    const int lo = scrambled[2 * pair + 1] - 'A';
    return static_cast<std::uint8_t>(hi * 26 + lo);
}

}  // namespace

std::string DescrambleText(const std::string& scrambled, std::uint16_t key) {
    const std::size_t count = scrambled.size() / 2;
    std::string clear;
    clear.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t c = CipherByteAt(scrambled, i);
        clear.push_back(static_cast<char>(c ^ (key >> 8)));
        key = NextKey(key, c);
    }
    return clear;
}

}  // namespace kora
