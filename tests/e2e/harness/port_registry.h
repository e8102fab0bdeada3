// The spooler's port and monitor entries in the registry of the test prefix.
#pragma once
#include <string>
#include <vector>

namespace e2e {

extern const char kMonitorsKey[];  // HKLM: one subkey per port monitor

// The ports of a fresh prefix, in the order the spooler lists them.
std::vector<std::string> FreshPrefixPorts();
// Replaces every value under the Ports key by one empty value per name.
bool SetPorts(const std::vector<std::string>& names);
// The Ports values as wineboot writes them: "9600,n,8,1" for the serial ports.
void ResetPortsToFreshPrefix();
// Adds a port of the local monitor (a value under the Ports key).
bool AddPortValue(const std::string& name);

// A port monitor entry whose Driver names the given DLL.
bool AddMonitor(const std::string& name, const std::string& driver);
void RemoveMonitor(const std::string& name);
// The "Local Port" monitor of a fresh prefix, in case a case removed the monitors.
void RestoreLocalPortMonitor();

}  // namespace e2e
