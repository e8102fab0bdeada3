#include "ports/spooler_fetch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace kora {
namespace {

constexpr std::uint32_t kRecordSize = 8;
constexpr int kStopped = -1;

// A spooler whose record count may change from one call to the next, as when a port is
// added between the size query and the fetch. Record i is kRecordSize bytes of value i + 1.
class ChangingSpooler : public SpoolerEnumCall {
public:
    ChangingSpooler(std::vector<int> recordsAtCall, std::uint32_t overReported)
        : m_recordsAtCall(std::move(recordsAtCall)), m_overReported(overReported) {}

    EnumAnswer Call(std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed, std::uint32_t& returned) override {
        sizes += (sizes.empty() ? "" : " ") + std::to_string(size);
        int records = m_recordsAtCall[std::min(m_calls++, m_recordsAtCall.size() - 1)];
        needed = 0;
        returned = 0;
        if (records == kStopped) return EnumAnswer::Failed;
        needed = static_cast<std::uint32_t>(records) * kRecordSize;
        if (size < needed) return EnumAnswer::BufferTooSmall;
        for (std::uint32_t i = 0; i < needed; ++i) buffer[i] = static_cast<std::uint8_t>(i / kRecordSize + 1);
        returned = static_cast<std::uint32_t>(records) + m_overReported;
        return EnumAnswer::Done;
    }

    std::string sizes;  // the buffer size of every call, in order

private:
    std::vector<int> m_recordsAtCall;  // the last one holds for every later call
    std::uint32_t m_overReported;
    size_t m_calls = 0;
};

std::vector<std::uint8_t> RecordBytes(std::uint32_t records) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t i = 0; i < records; ++i)
        bytes.insert(bytes.end(), kRecordSize, static_cast<std::uint8_t>(i + 1));
    return bytes;
}

TEST(FetchSpoolerRecords, AsksAgainWhileTheBufferIsTooSmall) {
    struct Case {
        const char* what;
        std::vector<int> recordsAtCall;
        std::uint32_t overReported;
        const char* expectedSizes;
        std::uint32_t expectedCount;
    };
    const Case cases[] = {
        {"a steady list", {3}, 0, "0 24", 3},
        {"no records: the size query is all", {0}, 0, "0", 0},
        {"a port added between the size query and the fetch", {3, 4}, 0, "0 24 32", 4},
        {"two ports added, one at a time", {3, 4, 5}, 0, "0 24 32 40", 5},
        {"a port removed between the calls", {4, 3}, 0, "0 32", 3},
        {"a stopped spooler", {kStopped}, 0, "0", 0},
        {"the spooler stops before the fetch", {3, kStopped}, 0, "0 24", 0},
        {"a list that grows on every call is given up", {1, 2, 3, 4, 5, 6, 7, 8}, 0, "0 8 16 24 32", 0},
        {"more records reported than the buffer holds", {2}, 3, "0 16", 2},
    };
    for (const Case& c : cases) {
        ChangingSpooler spooler(c.recordsAtCall, c.overReported);
        FetchedRecords fetched = FetchSpoolerRecords(spooler, kRecordSize);
        EXPECT_EQ(spooler.sizes, c.expectedSizes) << c.what;
        EXPECT_EQ(fetched.count, c.expectedCount) << c.what;
        std::vector<std::uint8_t> records = fetched.bytes;  // the records, without the bytes behind them
        records.resize(fetched.count * kRecordSize);
        EXPECT_EQ(records, RecordBytes(c.expectedCount)) << c.what;
    }
}

}  // namespace
}  // namespace kora
