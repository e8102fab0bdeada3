// 64-bit ARM Windows, which tells this 32-bit program only that it runs under WOW64: the real
// machine decides which 64-bit driver a run registers.
#include "install/system_machine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_install_system.h"

namespace kora {
namespace {

using Calls = std::vector<std::string>;

TEST(SystemMachineTest, TheNativeMachineDecidesWhereWindowsTellsIt) {
    struct Case {
        const char* name;
        bool nativeKnown;
        std::uint16_t native;
        bool wow64;
        SystemMachine expected;
        Calls calls;
    };
    const Case cases[] = {
        {"32-bit Windows before IsWow64Process2", false, 0, false, SystemMachine::X86, {}},
        {"64-bit Windows before IsWow64Process2", false, 0, true, SystemMachine::X64, {"IsSystem64Bit"}},
        {"32-bit Windows 10", true, kMachineI386, false, SystemMachine::X86, {"QueryNativeMachine 0x014c"}},
        {"x64 Windows 10 and 11", true, kMachineAmd64, true, SystemMachine::X64, {"QueryNativeMachine 0x8664"}},
        {"Windows 10 and 11 on ARM64", true, kMachineArm64, true, SystemMachine::Arm64, {"QueryNativeMachine 0xaa64"}},
        {"Itanium: no driver of ours", true, 0x0200, true, SystemMachine::X86, {"QueryNativeMachine 0x0200"}},
    };
    for (const Case& c : cases) {
        testing::FakeInstallSystem sys;
        sys.nativeMachineKnown = c.nativeKnown;
        sys.nativeMachine = c.native;
        sys.system64Bit = c.wow64;
        EXPECT_EQ(DetectSystemMachine(sys), c.expected) << c.name;
        EXPECT_EQ(sys.calls, c.calls) << c.name;
    }
}

}  // namespace
}  // namespace kora
