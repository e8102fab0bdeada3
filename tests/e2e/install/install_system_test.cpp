// The installation's Win32 operations on a printer that is there already, run against
// Wine's spooler: the printer is opened, its port read and replaced, and every other
// setting stays. (Wine never refuses a second printer of a name, so a whole run cannot
// reach these calls under Wine.)
#include "framework/seam_names.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness/spooler.h"
#include "install/win32_install_system.h"

namespace e2e {
namespace {

const char kPrinter[] = "KORA Seam Test";
const char kComment[] = "till 2";
const char kLocation[] = "front counter";

struct PrinterSettings {
  bool found = false;
  std::string port, driver, printProcessor, datatype, comment, location;
  DWORD attributes = 0, priority = 0;
};

std::string Text(const char* text) { return text ? text : ""; }

PrinterSettings ReadPrinter(const std::string& name) {
  PrinterSettings settings;
  HANDLE printer = nullptr;
  if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) return settings;
  DWORD needed = 0;
  GetPrinterA(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (needed && GetPrinterA(printer, 2, buffer.data(), needed, &needed)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    settings = {true,
                Text(info->pPortName),
                Text(info->pDriverName),
                Text(info->pPrintProcessor),
                Text(info->pDatatype),
                Text(info->pComment),
                Text(info->pLocation),
                info->Attributes,
                info->Priority};
  }
  ClosePrinter(printer);
  return settings;
}

class ExistingPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveAllPrintersAndDrivers();
    // Wine registers a driver whose files are missing; the printer only needs its name.
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kPrinter);
    driver.pEnvironment = const_cast<char*>(kDriverEnvironment);
    driver.pDriverPath = const_cast<char*>("uniDRV.DLL");
    driver.pDataFile = const_cast<char*>("QZA10.GPD");
    driver.pConfigFile = const_cast<char*>("uniDRVui.DLL");
    ASSERT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&driver))) << GetLastError();
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(kPrinter);
    info.pPortName = const_cast<char*>("LPT1:");
    info.pDriverName = const_cast<char*>(kPrinter);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.pComment = const_cast<char*>(kComment);
    info.pLocation = const_cast<char*>(kLocation);
    info.Priority = 7;
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    ASSERT_NE(nullptr, printer) << GetLastError();
    ClosePrinter(printer);
    before_ = ReadPrinter(kPrinter);
    ASSERT_TRUE(before_.found);
    ASSERT_EQ("LPT1:", before_.port);
  }
  void TearDown() override { RemoveAllPrintersAndDrivers(); }

  std::unique_ptr<kora::InstallSystem> sys_ = MakeWin32InstallSystem(nullptr, nullptr);
  PrinterSettings before_;
};

TEST_F(ExistingPrinterTest, MovesThePrinterToAnotherPortKeepingTheRest) {
  kora::PrinterHandle printer = sys_->OpenExistingPrinter(kPrinter);
  ASSERT_NE(0u, printer) << sys_->GetLastError();
  std::string port;
  ASSERT_TRUE(sys_->GetPrinterPort(printer, &port)) << sys_->GetLastError();
  EXPECT_EQ("LPT1:", port);
  ASSERT_TRUE(sys_->SetPrinterPort(printer, "LPT2:")) << sys_->GetLastError();
  ASSERT_TRUE(sys_->GetPrinterPort(printer, &port));
  EXPECT_EQ("LPT2:", port) << "read through the same handle";
  EXPECT_TRUE(sys_->ClosePrinter(printer));

  PrinterSettings after = ReadPrinter(kPrinter);
  ASSERT_TRUE(after.found);
  EXPECT_EQ("LPT2:", after.port);
  EXPECT_EQ(before_.driver, after.driver);
  EXPECT_EQ(before_.printProcessor, after.printProcessor);
  EXPECT_EQ(before_.datatype, after.datatype);
  EXPECT_EQ(kComment, after.comment);
  EXPECT_EQ(kLocation, after.location);
  EXPECT_EQ(before_.attributes, after.attributes);
  EXPECT_EQ(before_.priority, after.priority);
  EXPECT_EQ(1u, Printers().size());
}

TEST_F(ExistingPrinterTest, APrinterThatIsNotThereCannotBeOpened) {
  EXPECT_EQ(0u, sys_->OpenExistingPrinter("KORA No Such Printer"));
  EXPECT_NE(0u, sys_->GetLastError());
}

}  // namespace
}  // namespace e2e
