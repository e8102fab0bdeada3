#include "ports/monitor_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kora {
namespace {

class RecordingMonitorRowSink : public MonitorRowSink {
public:
    std::vector<std::string> calls;

    void OutputDebugString(const std::string& line) override { calls.push_back("debug [" + line + "]"); }
    void InsertRow(int position, const std::string& name) override {
        calls.push_back("insert " + std::to_string(position) + " [" + name + "]");
    }
};

using Calls = std::vector<std::string>;

TEST(FillMonitorRows, ListsEveryNamedMonitorAtItsRecordIndex) {
    const char* const names[] = {"Local Port", "Standard TCP/IP Port"};
    RecordingMonitorRowSink sink;
    FillMonitorRows(names, 2, sink);
    const Calls expected = {"debug [Local Port\n]", "insert 0 [Local Port]",
                            "debug [Standard TCP/IP Port\n]", "insert 1 [Standard TCP/IP Port]"};
    EXPECT_EQ(sink.calls, expected);
}

TEST(FillMonitorRows, SkipsNullNamesWithoutALineOrRow) {
    const char* const names[] = {nullptr, "Local Port", nullptr, nullptr, "USB Monitor"};
    RecordingMonitorRowSink sink;
    FillMonitorRows(names, 5, sink);
    const Calls expected = {"debug [Local Port\n]", "insert 1 [Local Port]",
                            "debug [USB Monitor\n]", "insert 4 [USB Monitor]"};
    EXPECT_EQ(sink.calls, expected);
}

TEST(FillMonitorRows, DoesNothingWithoutMonitors) {
    RecordingMonitorRowSink sink;
    FillMonitorRows(nullptr, 0, sink);
    const char* const onlyNull[] = {nullptr};
    FillMonitorRows(onlyNull, 1, sink);
    EXPECT_TRUE(sink.calls.empty());
}

}  // namespace
}  // namespace kora
