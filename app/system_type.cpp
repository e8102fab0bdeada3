#include "app/system_type.h"

namespace kora {

namespace {

constexpr std::uint32_t kPlatformWindows = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr std::uint32_t kPlatformNt = 2;       // VER_PLATFORM_WIN32_NT

int WindowsCode(int current, const ReportedVersion& v) {
    if (v.major != 4) return current;
    if (v.minor == 0) return 1;
    if (v.minor == 10 || v.minor == 90) return 2;
    return current;
}

int NtCode(int current, const ReportedVersion& v) {
    if (v.major <= 4) return 3;
    if (v.major == 5 && v.minor <= 2) return 4 + static_cast<int>(v.minor);
    if (v.major == 6 && v.minor <= 1) return 7 + static_cast<int>(v.minor);
    // Windows 8.1 and later report their own version only because the manifest names them.
    if (v.major == 6 && (v.minor == 2 || v.minor == 3)) return 9;
    if (v.major == 10 && v.minor == 0) return v.build < kFirstWindows11Build ? 10 : 11;
    return current;
}

}  // namespace

int SystemTypeFor(int current, const ReportedVersion& v) {
    if (v.platformId == kPlatformWindows) return WindowsCode(current, v);
    if (v.platformId == kPlatformNt) return NtCode(current, v);
    return 4;
}

int DetectSystemType(VersionQuery& query, int current) {
    ReportedVersion v;
    // Windows 95 and NT 4 before SP6 refuse the extended record; they take the plain one.
    if (!query.QueryVersion(kVersionInfoExSize, &v) && !query.QueryVersion(kVersionInfoSize, &v)) return current;
    return SystemTypeFor(current, v);
}

}  // namespace kora
