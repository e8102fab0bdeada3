#include "ports/port_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kora {
namespace {

class RecordingPortRowSink : public PortRowSink {
public:
    std::vector<std::string> calls;

    void WriteDebugLine(const std::string& line) override { calls.push_back("debug [" + line + "]"); }
    void InsertRow(int row, const std::string& name) override {
        calls.push_back("insert " + std::to_string(row) + " [" + name + "]");
    }
    void SetDescription(int row, const std::string& description) override {
        calls.push_back("describe " + std::to_string(row) + " [" + description + "]");
    }
    void SelectRow(int row) override { calls.push_back("select " + std::to_string(row)); }
};

using Calls = std::vector<std::string>;

TEST(FillPortRows, ListsEachPortThenSelectsTheDefaultRow) {
    const PortRecordView records[] = {
        {"COM1:", "Local Port"}, {"COM2:", "Local Port"}, {"LPT1:", "Local Port"}, {"FILE:", "Print to File"}};
    RecordingPortRowSink sink;
    FillPortRows(records, 4, sink);
    const Calls expected = {
        "debug [COM1:\n]", "insert 0 [COM1:]", "describe 0 [Local Port]",
        "debug [COM2:\n]", "insert 1 [COM2:]", "describe 1 [Local Port]",
        "debug [LPT1:\n]", "insert 2 [LPT1:]", "describe 2 [Local Port]",
        "debug [FILE:\n]", "insert 3 [FILE:]", "describe 3 [Print to File]",
        "select 2",
    };
    EXPECT_EQ(sink.calls, expected);
}

TEST(FillPortRows, ShowsNullTextsAsEmpty) {
    const PortRecordView records[] = {{nullptr, "no name"}, {"LPT1:", nullptr}};
    RecordingPortRowSink sink;
    FillPortRows(records, 2, sink);
    const Calls expected = {
        "debug [\n]",    "insert 0 []", "describe 0 [no name]", "debug [LPT1:\n]", "insert 1 [LPT1:]",
        "describe 1 []", "select 1",
    };
    EXPECT_EQ(sink.calls, expected);
}

TEST(FillPortRows, SelectsNothingWithoutACandidate) {
    const PortRecordView records[] = {{"FILE:", "Print to File"}, {"NUL:", "Local Port"}};
    RecordingPortRowSink sink;
    FillPortRows(records, 2, sink);
    ASSERT_FALSE(sink.calls.empty());
    EXPECT_EQ(sink.calls.back(), "describe 1 [Local Port]");
}

TEST(FillPortRows, DoesNothingForNoRecords) {
    RecordingPortRowSink sink;
    FillPortRows(nullptr, 0, sink);
    EXPECT_TRUE(sink.calls.empty());
}

// 300 ports: records 256 to 299 get no row, no debugger line and no prefix test, so the
// LPT1 port at record 280 is not chosen; FILE at record 10 is.
TEST(FillPortRows, ListsOnlyTheFirst256Records) {
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) names.push_back("NE" + std::to_string(i) + ":");
    names[10] = "FILE:";
    names[280] = "LPT1:";
    std::vector<PortRecordView> records;
    for (const std::string& name : names) records.push_back({name.c_str(), "Local Port"});

    RecordingPortRowSink sink;
    FillPortRows(records.data(), static_cast<std::uint32_t>(records.size()), sink);

    ASSERT_EQ(sink.calls.size(), 256u * 3u + 1u);
    EXPECT_EQ(sink.calls[255 * 3], "debug [NE255:\n]");
    EXPECT_EQ(sink.calls[255 * 3 + 1], "insert 255 [NE255:]");
    EXPECT_EQ(sink.calls.back(), "select 10");
    for (const std::string& call : sink.calls) EXPECT_EQ(call.find("LPT1"), std::string::npos) << call;
}

TEST(FillPortRows, KeepsLongNamesWhole) {
    const std::string longName = "\\\\server\\" + std::string(600, 'p');
    const PortRecordView records[] = {{longName.c_str(), "Network"}};
    RecordingPortRowSink sink;
    FillPortRows(records, 1, sink);
    ASSERT_EQ(sink.calls.size(), 3u);
    EXPECT_EQ(sink.calls[0], "debug [" + longName + "\n]");
    EXPECT_EQ(sink.calls[1], "insert 0 [" + longName + "]");
}

}  // namespace
}  // namespace kora
