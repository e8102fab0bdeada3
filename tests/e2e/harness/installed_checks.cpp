#include "harness/installed_checks.h"

#include <gtest/gtest.h>

#include <vector>

#include "harness/landed_state.h"
#include "harness/model_files.h"
#include "harness/registry.h"
#include "harness/spooler.h"

namespace e2e {

void ExpectPrinterAdded(int row, const std::string& port) {
    std::vector<PrinterEntry> printers = Printers();
    ASSERT_EQ(1u, printers.size()) << "local printers";
    const PrinterEntry& printer = printers[0];
    EXPECT_EQ(ModelDriverName(row), printer.name);
    EXPECT_EQ(port, printer.port);
    EXPECT_EQ(ModelDriverName(row), printer.driver);
    EXPECT_EQ("WinPrint", printer.printProcessor);
    EXPECT_EQ("RAW", printer.datatype);
}

void ExpectDevice(const char* expected) {
    std::string device;
    bool present = ReadRegistryText(HKEY_CURRENT_USER, kWindowsDeviceKey, "Device", &device);
    if (!expected) {
        EXPECT_FALSE(present) << "Device = \"" << device << "\"";
        return;
    }
    EXPECT_TRUE(present) << "no Device value";
    EXPECT_EQ(expected, device);
}

void ExpectSameBytes(const std::string& source, const std::string& copy) {
    std::string expected, landed;
    ASSERT_TRUE(ReadFileBytes(source, &expected)) << source;
    EXPECT_TRUE(ReadFileBytes(copy, &landed)) << copy << " is missing";
    EXPECT_EQ(expected, landed) << copy << " differs from " << source;
}

}  // namespace e2e
