#include "install/win32_records.h"

namespace {
char* Text(const std::string& s) { return const_cast<char*>(s.c_str()); }
}  // namespace

DRIVER_INFO_3A ToDriverInfo3(const kora::DriverRecord& r) {
    DRIVER_INFO_3A info = {};
    info.cVersion = r.cVersion;
    info.pName = Text(r.pName);
    info.pEnvironment = Text(r.pEnvironment);
    info.pDriverPath = Text(r.pDriverPath);
    info.pDataFile = Text(r.pDataFile);
    info.pConfigFile = Text(r.pConfigFile);
    info.pHelpFile = Text(r.pHelpFile);
    info.pDependentFiles = const_cast<char*>(r.pDependentFiles.data());
    info.pMonitorName = Text(r.pMonitorName);  // an empty text, never a null pointer
    info.pDefaultDataType = Text(r.pDefaultDataType);
    return info;
}

// Every member not set here stays zero or null.
PRINTER_INFO_2A ToPrinterInfo2(const kora::PrinterRecord& r) {
    PRINTER_INFO_2A info = {};
    info.pPrinterName = Text(r.pPrinterName);
    info.pPortName = Text(r.pPortName);
    info.pDriverName = Text(r.pDriverName);
    info.pPrintProcessor = Text(r.pPrintProcessor);
    info.pDatatype = Text(r.pDatatype);
    return info;
}
