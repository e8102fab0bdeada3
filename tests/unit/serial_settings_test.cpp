#include "install/serial_settings.h"

#include <gtest/gtest.h>

#include "install/registry_text.h"
#include "tests/support/fake_install_system.h"

namespace kora {
namespace {

using Calls = std::vector<std::string>;

struct LineCase {
    int baud, parity, dataBits, stopBits, flowControl;  // box selections
    const char* expected;
};

// clang-format off
const LineCase kLineCases[] = {
    {5, 2, 3, 0, 2, "19200,N,8,1,p"},  // the settings page's initial selections
    {4, 0, 3, 0, 0, "9600,E,8,1, "},   // flow control None is one blank after the comma
    {0, 1, 0, 1, 1, "300,M,5,1.5,x"},
    {8, 3, 2, 2, 2, "115200,O,7,2,p"},
    {1, 4, 1, 0, 0, "1200,S,6,1, "},
    {2, 2, 3, 2, 1, "2400,N,8,2,x"},
    {3, 0, 0, 0, 0, "4800,E,5,1, "},
    {6, 1, 1, 1, 2, "38400,M,6,1.5,p"},
    {7, 2, 2, 0, 1, "57600,N,7,1,x"},
};
// clang-format on

TEST(ComposeSerialSettings, JoinsTheFiveFieldsInLineOrder) {
    for (const LineCase& c : kLineCases)
        EXPECT_EQ(ComposeSerialSettings(c.baud, c.parity, c.dataBits, c.stopBits, c.flowControl), c.expected)
            << "expected " << c.expected;
}

TEST(PortValueNameTable, NamesThePortBoxRowsWithAColon) {
    const char* const expected[] = {"LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:"};
    for (int row = 0; row < 7; ++row) EXPECT_STREQ(PortValueNameTable[row], expected[row]) << "row " << row;
}

class WriteSerialSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The line boxes as the settings page first sets them.
        sys.baudRateRow = 5;
        sys.dataBitsRow = 3;
        sys.stopBitsRow = 0;
        sys.parityRow = 2;
        sys.flowControlRow = 2;
    }

    static Calls WrittenAs(const std::string& valueName) {
        return {"BaudRateRow",
                "DataBitsRow",
                "StopBitsRow",
                "ParityRow",
                "FlowControlRow",
                "OpenKey HKLM SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports",
                "SetTextValue 119 " + valueName + " [19200,N,8,1,p] 13",
                "CloseKey 119"};
    }

    testing::FakeInstallSystem sys;
};

TEST_F(WriteSerialSettingsTest, TouchesNothingForLptRowsOrNoSelection) {
    for (int row : {-1, 0, 1, 2}) {
        WriteSerialSettings(sys, row);
        EXPECT_TRUE(sys.calls.empty()) << "row " << row;
    }
}

TEST_F(WriteSerialSettingsTest, WritesTheValueNamedAfterTheComRow) {
    const char* const names[] = {"COM1:", "COM2:", "COM3:", "COM4:"};
    for (int row = 3; row <= 6; ++row) {
        sys.calls.clear();
        WriteSerialSettings(sys, row);
        EXPECT_EQ(sys.calls, WrittenAs(names[row - 3])) << "row " << row;
    }
}

TEST_F(WriteSerialSettingsTest, SkipsSilentlyWhenTheKeyCannotBeOpened) {
    sys.openKeyResult = 5;  // ERROR_ACCESS_DENIED
    WriteSerialSettings(sys, 3);
    Calls expected = WrittenAs("COM1:");
    expected.resize(6);  // up to the failed open
    EXPECT_EQ(sys.calls, expected);
}

TEST_F(WriteSerialSettingsTest, ReportsAValueThatCannotBeSetAndClosesTheKey) {
    sys.setValueResult = 5;
    WriteSerialSettings(sys, 4);
    Calls expected = WrittenAs("COM2:");
    expected.insert(expected.end() - 1, std::string("ShowMessage ") + "错误：无法设置有关的注册表信息");
    EXPECT_EQ(sys.calls, expected);
}

// The bytes themselves: a literal compiled with the same flags would match any encoding.
TEST(RegistryErrorMessage, IsTheGbkText) {
    EXPECT_STREQ(kRegistryErrorMessage,
                 "\xB4\xED\xCE\xF3\xA3\xBA\xCE\xDE\xB7\xA8\xC9\xE8\xD6\xC3\xD3\xD0\xB9\xD8"
                 "\xB5\xC4\xD7\xA2\xB2\xE1\xB1\xED\xD0\xC5\xCF\xA2");
}

}  // namespace
}  // namespace kora
