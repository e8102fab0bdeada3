// The inverse of DescrambleText, for tests and the developer tool only: the program
// never scrambles.
#pragma once

#include <cstdint>
#include <string>

namespace kora::testing {

std::string ScrambleText(const std::string& clear, std::uint16_t key);

}  // namespace kora::testing
