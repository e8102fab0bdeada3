#include "harness/key_access.h"

namespace e2e {
namespace {

bool SetDacl(HKEY root, const std::string& path, PACL acl) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    LONG status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// Everyone may do everything, except what `denied` names.
bool SetEveryoneAcl(HKEY root, const std::string& path, REGSAM denied) {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) return false;
    alignas(DWORD) BYTE buffer[256];
    PACL acl = reinterpret_cast<PACL>(buffer);
    bool ok = InitializeAcl(acl, sizeof buffer, ACL_REVISION) &&
              (denied == 0 || AddAccessDeniedAce(acl, ACL_REVISION, denied, everyone)) &&
              AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) && SetDacl(root, path, acl);
    FreeSid(everyone);
    return ok;
}

}  // namespace

bool DenySetValue(HKEY root, const std::string& key) { return SetEveryoneAcl(root, key, KEY_SET_VALUE); }
bool AllowEverything(HKEY root, const std::string& key) { return SetEveryoneAcl(root, key, 0); }

}  // namespace e2e
