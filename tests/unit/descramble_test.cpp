#include "settings/descramble.h"

#include <gtest/gtest.h>

#include "tests/support/scramble.h"

namespace kora {
namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// Worked by hand. Pairs: byte = ((hi-'A')*26 + (lo-'A')) mod 256; clear = byte ^ (key >> 8);
// key' = (0x3D2B - (byte + key) * 0x4E35) mod 65536.
//
// "BCDEFGAA", key 0x1234:
//   BC = 1*26+2 = 28 = 0x1C    clear 0x1C^0x12 = 0x0E
//     key' = 0x3D2B - (0x1C+0x1234)*0x4E35 = 15659 - (4688*20021 mod 65536)
//          = 15659 - (93858448 - 1432*65536) = 15659 - 10896 = 4763 = 0x129B
//   DE = 3*26+4 = 82 = 0x52    clear 0x52^0x12 = 0x40
//     key' = 15659 - (4845*20021 mod 65536) = 15659 - (97001745 - 1480*65536)
//          = 15659 - 8465 = 7194 = 0x1C1A
//   FG = 5*26+6 = 136 = 0x88   clear 0x88^0x1C = 0x94
//     key' = 15659 - (7330*20021 mod 65536) = 15659 - (146753930 - 2239*65536)
//          = 15659 - 18826 = -3167 -> +65536 = 62369 = 0xF3A1   (the subtraction wraps)
//   AA = 0                     clear 0x00^0xF3 = 0xF3
//
// "ZZJV", key 0x0100:
//   ZZ = 25*26+25 = 675 mod 256 = 0xA3 (the pair overflows a byte)   clear 0xA3^0x01 = 0xA2
//     key' = 15659 - (419*20021 mod 65536) = 15659 - (8388799 - 128*65536) = 15659 - 191 = 0x3C6C
//   JV = 9*26+21 = 255 = 0xFF  clear 0xFF^0x3C = 0xC3
struct Vector {
    const char* scrambled;
    std::uint16_t key;
    std::string clear;
};

const Vector kHandVectors[] = {
    {"BCDEFGAA", 0x1234, Bytes({0x0E, 0x40, 0x94, 0xF3})},
    {"ZZJV", 0x0100, Bytes({0xA2, 0xC3})},
    {"BCDEFGA", 0x1234, Bytes({0x0E, 0x40, 0x94})},  // the odd last letter is ignored
    {"A", 0x1234, ""},
    {"", 0xFFFF, ""},
};

TEST(DescrambleText, GivesTheHandWorkedClearTexts) {
    for (const Vector& v : kHandVectors)
        EXPECT_EQ(DescrambleText(v.scrambled, v.key), v.clear) << '"' << v.scrambled << "\" key " << v.key;
}

TEST(ScrambleText, InvertsTheHandWorkedVectors) {
    // Only even-length vectors have an exact inverse.
    EXPECT_EQ(testing::ScrambleText(Bytes({0x0E, 0x40, 0x94, 0xF3}), 0x1234), "BCDEFGAA");
    // 0xA2^0x01 = 0xA3 = 163 = 6*26+7: the scrambler writes "GH" where "ZZ" above also meant 0xA3.
    EXPECT_EQ(testing::ScrambleText(Bytes({0xA2}), 0x0100), "GH");
    EXPECT_EQ(testing::ScrambleText("", 0x1234), "");
}

TEST(DescrambleText, AChangedCipherByteMovesTheKeyForLaterBytes) {
    // First pair BC (0x1C) becomes BD (0x1D). Clear byte 0 is 0x1D^0x12 = 0x0F; the key then is
    // 15659 - (4689*20021 mod 65536) = 15659 - 30917 + 65536 = 0xC466, so clear byte 1 is
    // 0x52^0xC4 = 0x96 instead of 0x40, although its cipher byte is the same.
    const std::string original = DescrambleText("BCDEFGAA", 0x1234);
    const std::string changed = DescrambleText("BDDEFGAA", 0x1234);
    ASSERT_EQ(changed.size(), original.size());
    EXPECT_EQ(static_cast<unsigned char>(changed[0]), 0x0F);
    EXPECT_EQ(static_cast<unsigned char>(changed[1]), 0x96);
    EXPECT_NE(changed.substr(1), original.substr(1));
}

TEST(DescrambleText, LeavesEarlierBytesAloneWhenALaterPairChanges) {
    const std::string original = DescrambleText("BCDEFGAA", 0x1234);
    const std::string changed = DescrambleText("BCDFFGAA", 0x1234);  // DE (0x52) -> DF (0x53)
    EXPECT_EQ(changed[0], original[0]);
    EXPECT_EQ(static_cast<unsigned char>(changed[1]), 0x53 ^ 0x12);
    EXPECT_NE(changed.substr(2), original.substr(2));
}

TEST(DescrambleText, DependsOnTheStartingKey) {
    EXPECT_NE(DescrambleText("BCDEFGAA", 0x1234), DescrambleText("BCDEFGAA", 0x1334));
    // Only the key's high byte masks the first byte; the low byte shows from the second on.
    const std::string lowChanged = DescrambleText("BCDEFGAA", 0x1235);
    EXPECT_EQ(static_cast<unsigned char>(lowChanged[0]), 0x0E);
    EXPECT_NE(lowChanged.substr(1), DescrambleText("BCDEFGAA", 0x1234).substr(1));
}

}  // namespace
}  // namespace kora
