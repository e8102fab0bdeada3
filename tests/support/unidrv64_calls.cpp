#include "tests/support/unidrv64_calls.h"

namespace kora::testing {

namespace {

// Written out here, not taken from the environment table the tests check.
const char* const kRequired[] = {"unidrv.dll", "unidrvui.dll", "unires.dll", "stdnames.gpd", "ttfsub.gpd"};
constexpr int kRequiredCount = 5;
const char kHelpFile[] = "unidrv.hlp";

}  // namespace

Calls Joined(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Calls LookForUnidrv64(const std::string& folder, int found) {
    Calls calls;
    for (int i = 0; i < kRequiredCount && i <= found; ++i)
        calls.push_back("FileExists " + folder + "\\" + kRequired[i]);
    if (found >= kRequiredCount) calls.push_back("FileExists " + folder + "\\" + kHelpFile);
    return calls;
}

void AddUnidrv64Files(FakeInstallSystem& sys, const std::string& folder, int count, bool withHelp) {
    for (int i = 0; i < count; ++i) sys.existingFiles.insert(folder + "\\" + kRequired[i]);
    if (withHelp) sys.existingFiles.insert(folder + "\\" + kHelpFile);
}

}  // namespace kora::testing
