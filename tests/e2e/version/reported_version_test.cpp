// The version Wine 8 reports to a program with KORA.exe's manifest (Windows Vista to 10
// declared) and to the same program without a manifest: Windows 8.1 and later tell only
// the first their real version.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "harness/landed_state.h"
#include "harness/registry.h"
#include "harness/workspace.h"

namespace e2e {
namespace {

const DWORD kProbeTimeoutMs = 30000;
const char kManifested[] = "version_probe.exe";
const char kPlain[] = "version_probe_plain.exe";

class ReportedVersionTest : public ::testing::Test {
protected:
    void SetUp() override {
        workspace_ = std::make_unique<Workspace>(CurrentCaseName());
        ASSERT_TRUE(workspace_->AddProgramFromEnv("KORA_VERSION_PROBE_EXE", kManifested));
        ASSERT_TRUE(workspace_->AddProgramFromEnv("KORA_VERSION_PROBE_PLAIN_EXE", kPlain));
    }
    void TearDown() override {
        SetReportedWindowsVersion(kManifested, "");
        SetReportedWindowsVersion(kPlain, "");
    }

    // "<platform> <major>.<minor>.<build>" as the probe wrote it; the failure when it did not.
    std::string Reported(const char* probe) {
        const std::string out = workspace_->PathOf("version.txt");
        DeleteFileA(out.c_str());
        std::string commandLine = "\"" + workspace_->PathOf(probe) + "\" " + out;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, workspace_->Folder().c_str(),
                            &startup, &info))
            return "cannot start " + std::string(probe);
        CloseHandle(info.hThread);
        DWORD waited = WaitForSingleObject(info.hProcess, kProbeTimeoutMs);
        DWORD exitCode = 1;
        GetExitCodeProcess(info.hProcess, &exitCode);
        if (waited != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        std::string text;
        if (waited != WAIT_OBJECT_0 || exitCode != 0 || !ReadFileBytes(out, &text))
            return std::string(probe) + " failed, exit code " + std::to_string(exitCode);
        return text;
    }

    std::unique_ptr<Workspace> workspace_;
};

TEST_F(ReportedVersionTest, ManifestGetsTheRealVersionFromWindows81On) {
    struct Case {
        const char* wineName;
        const char* manifested;
        const char* plain;
    };
    static const Case kCases[] = {
        {"win7", "2 6.1.7601", "2 6.1.7601"},
        {"win8", "2 6.2.9200", "2 6.2.9200"},
        {"win81", "2 6.3.9600", "2 6.2.9200"},
        {"win10", "2 10.0.18362", "2 6.2.9200"},
    };
    for (const Case& row : kCases) {
        SCOPED_TRACE(row.wineName);
        ASSERT_TRUE(SetReportedWindowsVersion(kManifested, row.wineName));
        ASSERT_TRUE(SetReportedWindowsVersion(kPlain, row.wineName));
        EXPECT_EQ(row.manifested, Reported(kManifested));
        EXPECT_EQ(row.plain, Reported(kPlain));
    }
}

// Wine has no name for Windows 11; without one it reports the registry's version, build
// number included.
TEST_F(ReportedVersionTest, Windows11BuildFromTheRegistry) {
    RegistryReportedVersion manifested(kManifested, "10.0", "22631");
    ASSERT_TRUE(manifested.Ready());
    ASSERT_TRUE(SetReportedWindowsVersion(kPlain, ""));
    EXPECT_EQ("2 10.0.22631", Reported(kManifested));
    EXPECT_EQ("2 6.2.9200", Reported(kPlain));
}

}  // namespace
}  // namespace e2e
