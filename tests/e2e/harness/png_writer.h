// A minimal PNG encoder: 8-bit RGB, no filtering, stored (uncompressed) deflate blocks.
// Portable: no Windows headers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* data, size_t size);

// rgb holds height rows of width pixels, three bytes each, top row first.
std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, const std::vector<uint8_t>& rgb);

}  // namespace e2e
