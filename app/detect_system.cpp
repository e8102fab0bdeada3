#include "app/detect_system.h"

#include <windows.h>

#include "app/globals.h"
#include "app/system_type.h"

namespace {

class Win32VersionQuery : public kora::VersionQuery {
public:
    bool QueryVersion(std::uint32_t recordSize, kora::ReportedVersion* out) override {
        // One zeroed extended record; only its size field changes between the two tries.
        m_record.dwOSVersionInfoSize = recordSize;
        if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&m_record))) return false;
        out->platformId = m_record.dwPlatformId;
        out->major = m_record.dwMajorVersion;
        out->minor = m_record.dwMinorVersion;
        out->build = m_record.dwBuildNumber;
        return true;
    }

private:
    OSVERSIONINFOEXA m_record = {};
};

static_assert(sizeof(OSVERSIONINFOEXA) == 156, "the extended version record is 156 bytes");
static_assert(sizeof(OSVERSIONINFOA) == 148, "the plain version record is 148 bytes");

}  // namespace

void DetectSystemType() {
    Win32VersionQuery query;
    g_systemType = kora::DetectSystemType(query, g_systemType);
}
