#include "ports/spooler_enum.h"

#include <utility>

#include "framework/system_library.h"
#include "ports/spooler_fetch.h"

namespace {

using EnumFn = BOOL(WINAPI*)(LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned);

// One call of EnumPortsA or EnumMonitorsA on the local spooler.
class LocalSpoolerEnum : public kora::SpoolerEnumCall {
public:
    LocalSpoolerEnum(EnumFn enumerate, DWORD level) : m_enumerate(enumerate), m_level(level) {}

    kora::EnumAnswer Call(std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed,
                          std::uint32_t& returned) override {
        DWORD neededNow = 0, returnedNow = 0;
        BOOL ok = m_enumerate(nullptr, m_level, buffer, size, &neededNow, &returnedNow);
        needed = neededNow;
        returned = returnedNow;
        if (ok) return kora::EnumAnswer::Done;
        return ::GetLastError() == ERROR_INSUFFICIENT_BUFFER ? kora::EnumAnswer::BufferTooSmall
                                                             : kora::EnumAnswer::Failed;
    }

private:
    EnumFn m_enumerate;
    DWORD m_level;
};

SpoolerRecords Enumerate(const char* function, DWORD level, size_t recordSize) {
    SpoolerRecords result;
    auto enumerate = SpoolerProc<EnumFn>(function);
    if (enumerate == nullptr) return result;
    LocalSpoolerEnum call(enumerate, level);
    kora::FetchedRecords fetched = kora::FetchSpoolerRecords(call, recordSize);
    result.bytes = std::move(fetched.bytes);
    result.count = fetched.count;
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
