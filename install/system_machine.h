// Which processor's Windows this 32-bit program runs on. WOW64 tells a 32-bit program only
// that Windows is 64-bit, also on ARM64, where the spooler needs an ARM64 driver and the
// x64 files the x64 path looks for do not exist; the native machine tells them apart.
// No windows.h here.
#pragma once

#include <cstdint>

#include "install/install_system.h"

namespace kora {

enum class SystemMachine { X86, X64, Arm64 };

constexpr std::uint16_t kMachineI386 = 0x014C;   // IMAGE_FILE_MACHINE_I386
constexpr std::uint16_t kMachineAmd64 = 0x8664;  // IMAGE_FILE_MACHINE_AMD64
constexpr std::uint16_t kMachineArm64 = 0xAA64;  // IMAGE_FILE_MACHINE_ARM64

// The native machine where Windows reports it (IsWow64Process2); elsewhere a 64-bit Windows
// is an x64 one, the only 64-bit Windows from before that call that runs this program.
// Any machine but x64 and ARM64 gets the 32-bit registration alone.
SystemMachine DetectSystemMachine(InstallSystem& sys);

}  // namespace kora
