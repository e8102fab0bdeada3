// Filling the port type dialog's list from the spooler's MONITOR_INFO_1 records.
#pragma once

#include <cstdint>
#include <string>

namespace kora {

class MonitorRowSink {
public:
    virtual ~MonitorRowSink() = default;
    virtual void WriteDebugLine(const std::string& line) = 0;  // name + "\n"
    virtual void InsertRow(int position, const std::string& name) = 0;
};

// Null names are skipped; a row is inserted at its record index, which the list view turns
// into an append once a record has been skipped, so the spooler's order is kept.
void FillMonitorRows(const char* const* names, std::uint32_t count, MonitorRowSink& sink);

}  // namespace kora
