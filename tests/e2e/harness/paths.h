// Where things are: the ctest environment hands over Unix paths, the programs under
// test need Windows ones.
#pragma once
#include <string>

namespace e2e {

// Value of an environment variable, empty when unset.
std::string EnvText(const char* name);

// "/work/x/KORA.exe" -> "Z:\work\x\KORA.exe"; a path that already has a drive is kept.
std::string UnixToWindowsPath(const std::string& path);

// The Windows path of the program named by an environment variable holding a Unix path
// (KORA_EXE and its variants); empty when the variable is unset.
std::string ProgramFromEnv(const char* name);

}  // namespace e2e
