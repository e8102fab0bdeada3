// Turns the version that GetVersionExA reports into the installer's system code.
// No windows.h: the version query sits behind an interface so that the fallback order
// can be checked natively.
#pragma once

#include <cstdint>

namespace kora {

// The members of OSVERSIONINFOEXA that the detection reads.
struct ReportedVersion {
    std::uint32_t platformId = 0, major = 0, minor = 0, build = 0;
};

// Windows 11 still reports 10.0; only its build numbers tell it from Windows 10.
constexpr std::uint32_t kFirstWindows11Build = 22000;

constexpr std::uint32_t kVersionInfoExSize = 156;  // sizeof(OSVERSIONINFOEXA)
constexpr std::uint32_t kVersionInfoSize = 148;    // sizeof(OSVERSIONINFOA)

// The code for a reported version, or `current` where the version table leaves it unchanged.
int SystemTypeFor(int current, const ReportedVersion& v);

class VersionQuery {
public:
    virtual ~VersionQuery() = default;
    // GetVersionExA on a zeroed 156-byte OSVERSIONINFOEXA whose size field holds recordSize.
    virtual bool QueryVersion(std::uint32_t recordSize, ReportedVersion* out) = 0;
};

// 156 bytes first, then 148; when both fail returns current.
int DetectSystemType(VersionQuery& query, int current);

// The NT family (codes 3 to 11) installs a second time after the port page and is told when it is done.
inline bool RunsSecondInstallationPass(int systemType) { return systemType >= 3 && systemType <= 11; }

}  // namespace kora
