#include "ports/port_rows.h"

#include <algorithm>
#include <array>

#include "ports/default_port.h"

namespace kora {

namespace {

std::string TextOrEmpty(const char* text) { return text ? std::string(text) : std::string(); }

}  // namespace

void FillPortRows(const PortRecordView* records, std::uint32_t count, PortRowSink& sink) {
    std::array<std::string, kMaxListedPorts> names;
    DefaultRowCandidates candidates;
    // Records past the table are left out entirely: no row, no debugger line, no prefix test.
    const std::uint32_t listed = std::min(count, kMaxListedPorts);
    for (std::uint32_t i = 0; i < listed; ++i) {
        const int row = static_cast<int>(i);
        names[i] = TextOrEmpty(records[i].pPortName);
        candidates.Test(names[i], row);
        sink.WriteDebugLine(names[i] + "\n");
        sink.InsertRow(row, names[i]);
        sink.SetDescription(row, TextOrEmpty(records[i].pDescription));
    }
    const int chosen = candidates.Choose();
    if (chosen >= 0) sink.SelectRow(chosen);
}

}  // namespace kora
