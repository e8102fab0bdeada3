// Checks of what a whole installation left in the spooler and the registry.
#pragma once
#include <string>

namespace e2e {

// The spooler holds one local printer: the model row's, on `port`, printing RAW.
void ExpectPrinterAdded(int row, const std::string& port);
// The Windows key's Device value is `expected`; nullptr: the value must not exist.
void ExpectDevice(const char* expected);
// `copy` exists and holds the bytes of `source`.
void ExpectSameBytes(const std::string& source, const std::string& copy);

}  // namespace e2e
