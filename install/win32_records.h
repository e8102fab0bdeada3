// The spooler's own records for a composed driver and printer. They point into the
// composed records, which must outlive them.
#pragma once

#include <windows.h>
#include <winspool.h>

#include "install/install_system.h"

// The spooler's A functions take texts they only read as char*: the one place that casts.
char* SpoolerText(const char* text);
char* SpoolerText(const std::string& text);

DRIVER_INFO_3A ToDriverInfo3(const kora::DriverRecord& record);
PRINTER_INFO_2A ToPrinterInfo2(const kora::PrinterRecord& record);
