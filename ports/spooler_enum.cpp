#include "ports/spooler_enum.h"

#include <algorithm>

#include "framework/system_library.h"

namespace {

using EnumFn = BOOL(WINAPI*)(LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned);

SpoolerRecords Enumerate(const char* function, DWORD level, size_t recordSize) {
    SpoolerRecords result;
    auto enumerate = SpoolerProc<EnumFn>(function);
    if (enumerate == nullptr) return result;
    DWORD needed = 0, returned = 0;
    enumerate(nullptr, level, nullptr, 0, &needed, &returned);
    result.bytes.resize(needed);
    returned = 0;
    enumerate(nullptr, level, result.bytes.empty() ? nullptr : result.bytes.data(), needed, &needed, &returned);
    // Whatever the second call says, no record is read beyond the buffer.
    result.count = std::min<DWORD>(returned, static_cast<DWORD>(result.bytes.size() / recordSize));
    return result;
}

}  // namespace

SpoolerRecords EnumPortsLevel2() { return Enumerate("EnumPortsA", 2, sizeof(PORT_INFO_2A)); }

SpoolerRecords EnumMonitorsLevel1() { return Enumerate("EnumMonitorsA", 1, sizeof(MONITOR_INFO_1A)); }

BOOL ConfigurePortOnLocalSpooler(HWND owner, const char* portName) {
    using Fn = BOOL(WINAPI*)(LPSTR, HWND, LPSTR);
    auto configure = SpoolerProc<Fn>("ConfigurePortA");
    return configure && configure(nullptr, owner, const_cast<LPSTR>(portName));
}

BOOL AddPortOnLocalSpooler(HWND owner, const char* monitorName) {
    using Fn = BOOL(WINAPI*)(LPSTR, HWND, LPSTR);
    auto addPort = SpoolerProc<Fn>("AddPortA");
    return addPort && addPort(nullptr, owner, const_cast<LPSTR>(monitorName));
}
