#include "install/win32_records.h"

char* SpoolerText(const char* text) { return const_cast<char*>(text); }
char* SpoolerText(const std::string& text) { return SpoolerText(text.c_str()); }

DRIVER_INFO_3A ToDriverInfo3(const kora::DriverRecord& r) {
    DRIVER_INFO_3A info = {};
    info.cVersion = r.cVersion;
    info.pName = SpoolerText(r.pName);
    info.pEnvironment = SpoolerText(r.pEnvironment);
    info.pDriverPath = SpoolerText(r.pDriverPath);
    info.pDataFile = SpoolerText(r.pDataFile);
    info.pConfigFile = SpoolerText(r.pConfigFile);
    info.pHelpFile = SpoolerText(r.pHelpFile);
    info.pDependentFiles = SpoolerText(r.pDependentFiles.data());
    info.pMonitorName = SpoolerText(r.pMonitorName);  // an empty text, never a null pointer
    info.pDefaultDataType = SpoolerText(r.pDefaultDataType);
    return info;
}

// Every member not set here stays zero or null.
PRINTER_INFO_2A ToPrinterInfo2(const kora::PrinterRecord& r) {
    PRINTER_INFO_2A info = {};
    info.pPrinterName = SpoolerText(r.pPrinterName);
    info.pPortName = SpoolerText(r.pPortName);
    info.pDriverName = SpoolerText(r.pDriverName);
    info.pPrintProcessor = SpoolerText(r.pPrintProcessor);
    info.pDatatype = SpoolerText(r.pDatatype);
    return info;
}
