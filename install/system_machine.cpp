#include "install/system_machine.h"

namespace kora {

SystemMachine DetectSystemMachine(InstallSystem& sys) {
    std::uint16_t native = 0;
    if (!sys.QueryNativeMachine(&native)) return sys.IsSystem64Bit() ? SystemMachine::X64 : SystemMachine::X86;
    switch (native) {
    case kMachineAmd64: return SystemMachine::X64;
    case kMachineArm64: return SystemMachine::Arm64;
    default: return SystemMachine::X86;
    }
}

}  // namespace kora
