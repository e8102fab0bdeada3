#include "install/driver_models.h"
#include "settings/model_texts.h"

#include <gtest/gtest.h>

#include <set>

namespace kora {
namespace {

struct ModelRow {
    const char* driverName;
    const char* dataFileStem;
    const char* displayText;  // UTF-8 here; the build stores it as GBK like the program's texts
};

// clang-format off
const ModelRow kRows[kModelCount] = {
    {"QZ-A10 Series", "QZA10", "QZ-A10 58mm 热敏打印机"},
    {"QZ-A20 Series", "QZA20", "QZ-A20 58mm 热敏打印机"},
    {"QZ-A30 Series", "QZA30", "QZ-A30 58mm 热敏打印机"},
    {"QZ-A40 Series", "QZA40", "QZ-A40 58mm 热敏打印机"},
    {"QZ-A50 Series", "QZA50", "QZ-A50 58mm 热敏打印机"},
    {"QZ-A50X Series", "QZA50X", "QZ-A50X 58mm 热敏打印机"},
    {"QZ-B10 Series", "QZB10", "QZ-B10 58mm 热敏打印机"},
    {"QZ-B20 Series", "QZB20", "QZ-B20 58mm 热敏打印机"},
    {"QZ-B20M Series", "QZB20M", "QZ-B20M 58mm 热敏打印机"},
    {"QZ-HB20 Series", "QZHB20", "QZ-HB20 58mm 便携打印机"},
    {"QZ-C10 Series", "QZC10", "QZ-C10 58mm 热敏打印机"},
};
// clang-format on

TEST(ModelTable, HoldsTheElevenModels) {
    for (int row = 0; row < kModelCount; ++row) {
        EXPECT_STREQ(DriverName(row), kRows[row].driverName) << "row " << row;
        EXPECT_STREQ(DataFileStem(row), kRows[row].dataFileStem) << "row " << row;
    }
}

TEST(ModelTable, EveryModelSharesOneResourceLibrary) {
    for (int row = 0; row < kModelCount; ++row) EXPECT_STREQ(ResourceLibraryStem(row), "QZC10") << "row " << row;
    EXPECT_STREQ(DataFileStem(10), ResourceLibraryStem(10));
}

// A wrong key or a mistyped letter in the stored data fails here, before it can ship.
TEST(ModelTable, EveryStoredTextDescramblesToItsClearText) {
    for (int row = 0; row < kModelCount; ++row) EXPECT_EQ(DisplayText(row), kRows[row].displayText) << "row " << row;
    EXPECT_EQ(DefaultPrinterName(), "QZ 58mm 热敏票据打印机");
}

TEST(ModelTable, DisplayTextsAreGbkWithoutStrayBytes) {
    // "热敏打印机" is C8 C8 C3 F4 B4 F2 D3 A1 BB FA in GBK: five two-byte characters.
    const std::string expectedTail = "\xC8\xC8\xC3\xF4\xB4\xF2\xD3\xA1\xBB\xFA";
    const std::string row0 = DisplayText(0);
    ASSERT_EQ(row0.size(), 12u + 10u);
    EXPECT_EQ(row0.substr(0, 12), "QZ-A10 58mm ");
    EXPECT_EQ(row0.substr(12), expectedTail);
}

TEST(ModelTable, ShownTextsAreAllDifferent) {
    std::set<std::string> seen;
    for (int row = 0; row < kModelCount; ++row) EXPECT_TRUE(seen.insert(DisplayText(row)).second) << "row " << row;
    EXPECT_TRUE(seen.insert(DefaultPrinterName()).second);
}

}  // namespace
}  // namespace kora
