#include "harness/port_registry.h"

#include "harness/registry.h"

namespace e2e {

const char kMonitorsKey[] = "System\\CurrentControlSet\\Control\\Print\\Monitors";

namespace {

const char kSerialLine[] = "9600,n,8,1";

void RemovePortValues() {
    for (const std::string& name : RegistryValueNames(HKEY_LOCAL_MACHINE, kPortsKey))
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPortsKey, name);
}

std::string MonitorKey(const std::string& name) { return std::string(kMonitorsKey) + "\\" + name; }

}  // namespace

std::vector<std::string> FreshPrefixPorts() {
    return {"COM1:", "COM2:", "COM3:", "COM4:", "FILE:", "LPT1:", "LPT2:", "LPT3:"};
}

// Only named values: an unnamed one under this key makes the spooler's enumeration loop.
bool SetPorts(const std::vector<std::string>& names) {
    RemovePortValues();
    for (const std::string& name : names)
        if (name.empty() || !AddPortValue(name)) return false;
    return true;
}

void ResetPortsToFreshPrefix() {
    RemovePortValues();
    for (const std::string& name : FreshPrefixPorts())
        SetRegistryText(HKEY_LOCAL_MACHINE, kPortsKey, name, name.rfind("COM", 0) == 0 ? kSerialLine : "");
}

bool AddPortValue(const std::string& name) { return SetRegistryText(HKEY_LOCAL_MACHINE, kPortsKey, name, ""); }

bool AddMonitor(const std::string& name, const std::string& driver) {
    return SetRegistryText(HKEY_LOCAL_MACHINE, MonitorKey(name), "Driver", driver);
}

void RemoveMonitor(const std::string& name) { DeleteRegistryTree(HKEY_LOCAL_MACHINE, MonitorKey(name)); }

void RestoreLocalPortMonitor() { AddMonitor("Local Port", "localspl.dll"); }

}  // namespace e2e
