#include "ports/monitor_rows.h"

namespace kora {

void FillMonitorRows(const char* const* names, std::uint32_t count, MonitorRowSink& sink) {
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!names[i]) continue;
        const std::string name(names[i]);
        sink.WriteDebugLine(name + "\n");
        sink.InsertRow(static_cast<int>(i), name);
    }
}

}  // namespace kora
