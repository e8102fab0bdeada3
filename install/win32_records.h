// The spooler's own records for a composed driver and printer. They point into the
// composed records, which must outlive them.
#pragma once

#include <windows.h>
#include <winspool.h>

#include "install/install_system.h"

DRIVER_INFO_3A ToDriverInfo3(const kora::DriverRecord& record);
PRINTER_INFO_2A ToPrinterInfo2(const kora::PrinterRecord& record);
