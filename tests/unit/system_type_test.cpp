#include "app/system_type.h"

#include <gtest/gtest.h>

#include <vector>

namespace kora {
namespace {

constexpr std::uint32_t kWin9x = 1;
constexpr std::uint32_t kNt = 2;
constexpr int kUnset = 0;
constexpr int kEarlier = 5;  // a code left from an earlier detection

struct VersionCase {
    const char* what;
    ReportedVersion version;
    int expectedFromUnset;  // the code when detection starts from 0
};

// Where the table leaves the code unchanged, the expected value is kUnset, and the
// same case started from kEarlier must keep kEarlier.
const VersionCase kVersionCases[] = {
    {"Windows 95", {kWin9x, 4, 0}, 1},
    {"Windows 98", {kWin9x, 4, 10}, 2},
    {"Windows Me", {kWin9x, 4, 90}, 2},
    {"9x 4.3", {kWin9x, 4, 3}, kUnset},
    {"9x 4.11", {kWin9x, 4, 11}, kUnset},
    {"9x 3.10", {kWin9x, 3, 10}, kUnset},
    {"9x 5.0", {kWin9x, 5, 0}, kUnset},
    {"NT 3.51", {kNt, 3, 51}, 3},
    {"NT 4.0", {kNt, 4, 0}, 3},
    {"NT 4.90 (any minor at major 4)", {kNt, 4, 90}, 3},
    {"NT 0.0", {kNt, 0, 0}, 3},
    {"Windows 2000", {kNt, 5, 0}, 4},
    {"Windows XP", {kNt, 5, 1}, 5},
    {"Windows Server 2003", {kNt, 5, 2}, 6},
    {"NT 5.3", {kNt, 5, 3}, kUnset},
    {"Windows Vista", {kNt, 6, 0}, 7},
    {"Windows 7", {kNt, 6, 1}, 8},
    {"Windows 8 (and later Windows told 6.2 without a manifest)", {kNt, 6, 2, 9200}, 9},
    {"Windows 8.1", {kNt, 6, 3, 9600}, 9},
    {"NT 6.2 with build 0", {kNt, 6, 2, 0}, 9},
    {"NT 6.3 with a build number of Windows 11", {kNt, 6, 3, 22000}, 9},
    {"NT 6.4 (Windows 10 previews)", {kNt, 6, 4, 9841}, kUnset},
    {"Windows 10 1507", {kNt, 10, 0, 10240}, 10},
    {"Windows 10 1903, as Wine 8 reports it", {kNt, 10, 0, 18362}, 10},
    {"Windows 10 22H2", {kNt, 10, 0, 19045}, 10},
    {"NT 10.0 with build 0", {kNt, 10, 0, 0}, 10},
    {"last build below Windows 11", {kNt, 10, 0, 21999}, 10},
    {"Windows 11 21H2, its first build", {kNt, 10, 0, 22000}, 11},
    {"Windows 11 23H2", {kNt, 10, 0, 22631}, 11},
    {"Windows 11 24H2", {kNt, 10, 0, 26100}, 11},
    {"NT 10.0 with the largest build", {kNt, 10, 0, 0xFFFFFFFFu}, 11},
    {"NT 10.1", {kNt, 10, 1, 22000}, kUnset},
    {"NT 11.0", {kNt, 11, 0, 30000}, kUnset},
    {"NT 7.0", {kNt, 7, 0, 0}, kUnset},
    {"NT 6.1 with a build number of Windows 11", {kNt, 6, 1, 22000}, 8},
    // Major above 4 when read signed: an unsigned compare must not call this NT 4.
    {"NT major 0x80000000", {kNt, 0x80000000u, 0}, kUnset},
    {"NT major 0xFFFFFFFF", {kNt, 0xFFFFFFFFu, 1}, kUnset},
    // The build number decides nothing outside NT 10.0.
    {"9x 4.0 with a build number of Windows 11", {kWin9x, 4, 0, 22000}, 1},
    {"9x 10.0", {kWin9x, 10, 0, 22000}, kUnset},
    {"platform 0 (Win32s)", {0, 3, 10}, 4},
    {"platform 3 (CE)", {3, 5, 1}, 4},
    {"platform 0xFFFFFFFF", {0xFFFFFFFFu, 6, 1}, 4},
};

TEST(SystemTypeFor, MapsEveryReportedVersion) {
    for (const VersionCase& c : kVersionCases)
        EXPECT_EQ(SystemTypeFor(kUnset, c.version), c.expectedFromUnset) << c.what;
}

TEST(SystemTypeFor, KeepsAnEarlierCodeWhereTheTableSaysUnchanged) {
    for (const VersionCase& c : kVersionCases) {
        const int expected = c.expectedFromUnset == kUnset ? kEarlier : c.expectedFromUnset;
        EXPECT_EQ(SystemTypeFor(kEarlier, c.version), expected) << c.what;
    }
}

// Answers the version query per record size and notes the sizes asked for.
class RecordingVersionQuery : public VersionQuery {
public:
    bool acceptsExtended = true;
    bool acceptsPlain = true;
    ReportedVersion reported{kNt, 5, 1};
    std::vector<std::uint32_t> askedSizes;

    bool QueryVersion(std::uint32_t recordSize, ReportedVersion* out) override {
        askedSizes.push_back(recordSize);
        const bool accepts = recordSize == 156 ? acceptsExtended : recordSize == 148 && acceptsPlain;
        if (accepts) *out = reported;
        return accepts;
    }
};

// The 156-byte record first, the 148-byte one only when that is refused; when both are
// refused, or the version is one the table does not name, the earlier code stays.
TEST(DetectSystemType, AsksForTheExtendedRecordThenThePlainOne) {
    struct Case {
        const char* what;
        bool acceptsExtended;
        bool acceptsPlain;
        ReportedVersion reported;
        int earlier;
        int expected;
        std::vector<std::uint32_t> askedSizes;
    };
    const Case cases[] = {
        {"extended accepted", true, true, {kNt, 5, 1}, kUnset, 5, {156}},
        {"plain after extended refused", false, true, {kWin9x, 4, 0}, kUnset, 1, {156, 148}},
        {"both refused, unset code", false, false, {kNt, 5, 1}, kUnset, kUnset, {156, 148}},
        {"both refused, earlier code", false, false, {kNt, 5, 1}, kEarlier, kEarlier, {156, 148}},
        {"version not in the table", true, true, {kNt, 6, 4}, kEarlier, kEarlier, {156}},
        {"build number of the extended record", true, true, {kNt, 10, 0, 22621}, kUnset, 11, {156}},
        {"build number of the plain record", false, true, {kNt, 10, 0, 19045}, kEarlier, 10, {156, 148}},
    };
    for (const Case& c : cases) {
        RecordingVersionQuery query;
        query.acceptsExtended = c.acceptsExtended;
        query.acceptsPlain = c.acceptsPlain;
        query.reported = c.reported;
        EXPECT_EQ(DetectSystemType(query, c.earlier), c.expected) << c.what;
        EXPECT_EQ(query.askedSizes, c.askedSizes) << c.what;
    }
}

TEST(RunsSecondInstallationPass, OnlyForTheNtFamily) {
    // Codes 0 to 2 (unknown, Windows 95, 98/Me) install once and show no completion message.
    const struct {
        int code;
        bool secondPass;
    } cases[] = {
        {-1, false}, {0, false}, {1, false}, {2, false}, {3, true},  {4, true},  {5, true},
        {6, true},   {7, true},  {8, true},  {9, true},  {10, true}, {11, true}, {12, false},
    };
    for (const auto& c : cases) EXPECT_EQ(RunsSecondInstallationPass(c.code), c.secondPass) << "code " << c.code;
}

}  // namespace
}  // namespace kora
