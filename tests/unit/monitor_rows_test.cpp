#include "ports/monitor_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kora {
namespace {

class RecordingMonitorRowSink : public MonitorRowSink {
public:
    std::vector<std::string> calls;

    void WriteDebugLine(const std::string& line) override { calls.push_back("debug [" + line + "]"); }
    void InsertRow(int position, const std::string& name) override {
        calls.push_back("insert " + std::to_string(position) + " [" + name + "]");
    }
};

using Calls = std::vector<std::string>;

// Each named monitor gives a debugger line and a row at its record index; a null name gives
// neither, and later rows keep their own indexes.
TEST(FillMonitorRows, ListsEveryNamedMonitorAtItsRecordIndex) {
    struct Case {
        const char* what;
        std::vector<const char*> names;
        Calls expected;
    };
    const Case cases[] = {
        {"two monitors",
         {"Local Port", "Standard TCP/IP Port"},
         {"debug [Local Port\n]", "insert 0 [Local Port]", "debug [Standard TCP/IP Port\n]",
          "insert 1 [Standard TCP/IP Port]"}},
        {"null names between",
         {nullptr, "Local Port", nullptr, nullptr, "USB Monitor"},
         {"debug [Local Port\n]", "insert 1 [Local Port]", "debug [USB Monitor\n]", "insert 4 [USB Monitor]"}},
        {"only a null name", {nullptr}, {}},
        {"no records", {}, {}},
    };
    for (const Case& c : cases) {
        RecordingMonitorRowSink sink;
        FillMonitorRows(c.names.empty() ? nullptr : c.names.data(), static_cast<std::uint32_t>(c.names.size()), sink);
        EXPECT_EQ(sink.calls, c.expected) << c.what;
    }
}

}  // namespace
}  // namespace kora
