// Filling the port page's list from the spooler's PORT_INFO_2 records.
#pragma once

#include <cstdint>
#include <string>

namespace kora {

// The two members of a PORT_INFO_2 record that the list shows; either may be null.
struct PortRecordView {
    const char* pPortName;
    const char* pDescription;
};

// What a fill does to the list view and the debugger, in call order.
class PortRowSink {
public:
    virtual ~PortRowSink() = default;
    virtual void WriteDebugLine(const std::string& line) = 0;  // name + "\n"
    virtual void InsertRow(int row, const std::string& name) = 0;
    virtual void SetDescription(int row, const std::string& description) = 0;
    virtual void SelectRow(int row) = 0;  // selected, focus cleared
};

constexpr std::uint32_t kMaxListedPorts = 256;

// Lists records 0..255 in order (null texts as ""), keeps their names in a 256-entry table,
// then selects the default row.
void FillPortRows(const PortRecordView* records, std::uint32_t count, PortRowSink& sink);

}  // namespace kora
