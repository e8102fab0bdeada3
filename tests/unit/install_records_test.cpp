#include "install/install_records.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kora {
namespace {

// Every row: three fixed names with a backslash, QZC10.DLL without one, then the empty name.
std::array<char, kDependentFilesSize> ExpectedDependentFiles() {
    static const char kBytes[] = "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0QZC10.DLL\0";
    std::array<char, kDependentFilesSize> bytes{};
    std::memcpy(bytes.data(), kBytes, sizeof kBytes);  // 49 bytes, the list's two final zeros included
    return bytes;
}

TEST(MakeDriverRecord, LaysOutTheDependentFilesByteForByte) {
    const std::array<char, kDependentFilesSize> expected = ExpectedDependentFiles();
    for (int row = 0; row < 11; ++row) {
        const DriverRecord record = MakeDriverRecord(row);
        for (std::size_t i = 0; i < kDependentFilesSize; ++i)
            ASSERT_EQ(record.pDependentFiles[i], expected[i]) << "row " << row << ", byte " << i;
    }
}

TEST(MakeDriverRecord, PlacesTheResourceLibraryAtByte38) {
    const DriverRecord record = MakeDriverRecord(3);
    EXPECT_EQ(record.pDependentFiles[37], '\0');
    EXPECT_STREQ(record.pDependentFiles.data() + 38, "QZC10.DLL");
    EXPECT_EQ(record.pDependentFiles[48], '\0');  // the empty name that ends the list
}

struct RecordCase {
    int row;
    const char* driverName;
    const char* dataFile;
};

const RecordCase kRecordCases[] = {
    {0, "QZ-A10 Series", "\\QZA10.GPD"},
    {5, "QZ-A50X Series", "\\QZA50X.GPD"},
    {9, "QZ-HB20 Series", "\\QZHB20.GPD"},
    {10, "QZ-C10 Series", "\\QZC10.GPD"},
};

TEST(MakeDriverRecord, FillsEveryMember) {
    for (const RecordCase& c : kRecordCases) {
        const DriverRecord r = MakeDriverRecord(c.row);
        EXPECT_EQ(r.cVersion, 2u) << "row " << c.row;
        EXPECT_EQ(r.pName, c.driverName) << "row " << c.row;
        EXPECT_EQ(r.pEnvironment, "Windows NT x86") << "row " << c.row;
        EXPECT_EQ(r.pDriverPath, "\\uniDRV.DLL") << "row " << c.row;
        EXPECT_EQ(r.pDataFile, c.dataFile) << "row " << c.row;
        EXPECT_EQ(r.pConfigFile, "\\uniDRVui.DLL") << "row " << c.row;
        EXPECT_EQ(r.pHelpFile, "\\uniDRV.HLP") << "row " << c.row;
        EXPECT_EQ(r.pMonitorName, "") << "row " << c.row;
        EXPECT_EQ(r.pDefaultDataType, "RAW") << "row " << c.row;
    }
}

TEST(MakePrinterRecord, NamesThePrinterLikeItsDriver) {
    for (const RecordCase& c : kRecordCases) {
        const PrinterRecord r = MakePrinterRecord(c.row, "COM3:");
        EXPECT_EQ(r.pPrinterName, c.driverName) << "row " << c.row;
        EXPECT_EQ(r.pPortName, "COM3:") << "row " << c.row;
        EXPECT_EQ(r.pDriverName, c.driverName) << "row " << c.row;
        EXPECT_EQ(r.pPrintProcessor, "WinPrint") << "row " << c.row;
        EXPECT_EQ(r.pDatatype, "RAW") << "row " << c.row;
    }
}

TEST(MakeDeviceText, JoinsDriverSpoolerAndPortWithCommas) {
    EXPECT_EQ(MakeDeviceText(0, "LPT1:"), "QZ-A10 Series,winspool,LPT1:");
    EXPECT_EQ(MakeDeviceText(8, "USB001"), "QZ-B20M Series,winspool,USB001");
    EXPECT_EQ(MakeDeviceText(10, ""), "QZ-C10 Series,winspool,");
    const std::string longPort(300, 'P');
    EXPECT_EQ(MakeDeviceText(0, longPort), "QZ-A10 Series,winspool," + longPort);
}

TEST(DriverFileCopies, KeepsLongDirectoriesWhole) {
    const std::string directory = "C:\\" + std::string(400, 'd');
    const std::vector<DriverFileCopy> copies = DriverFileCopies(0, directory);
    ASSERT_EQ(copies.size(), 8u);
    EXPECT_EQ(copies[7].destination, directory + "\\STDNAMES.GPD");
}

}  // namespace
}  // namespace kora
