// The calls a 64-bit registration makes while it looks for the system's 64-bit Unidrv, and
// the files that make a folder hold one: shared by the x64 and the ARM64 tests.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/fake_install_system.h"

namespace kora::testing {

using Calls = std::vector<std::string>;

Calls Joined(std::initializer_list<Calls> parts);

// The looks into one folder: each required file until the first missing one, then the help
// file once all five are there.
Calls LookForUnidrv64(const std::string& folder, int found = 5);

// The first `count` required files, in the order they are looked for, and the help file.
void AddUnidrv64Files(FakeInstallSystem& sys, const std::string& folder, int count, bool withHelp = false);

}  // namespace kora::testing
