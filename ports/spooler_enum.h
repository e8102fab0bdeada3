// The spooler's enumerations on the local machine (the rule in ports/spooler_fetch.h): the
// records and their texts live in `bytes`; none when the spooler fails or is not running.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <vector>

struct SpoolerRecords {
    std::vector<BYTE> bytes;
    DWORD count = 0;  // never more records than the buffer can hold

    template <typename Record>
    const Record* Records() const {
        return reinterpret_cast<const Record*>(bytes.data());
    }
};

SpoolerRecords EnumPortsLevel2();
SpoolerRecords EnumMonitorsLevel1();

BOOL ConfigurePortOnLocalSpooler(HWND owner, const char* portName);
BOOL AddPortOnLocalSpooler(HWND owner, const char* monitorName);
