// Developer tool: prints the stored form of a new display text.
//   scramble_text 0x1A2B "QZ-A10 58mm 热敏打印机"
// The argument is UTF-8 (as typed in a terminal); the program's texts are GBK, so the
// text is converted before it is scrambled.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/scramble.h"

namespace {

bool Utf8ToGbk(const std::string& utf8, std::string* gbk) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in = utf8;
    std::string out(in.size() * 2 + 1, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok) return false;
    out.resize(out.size() - outLeft);
    *gbk = out;
    return true;
}

bool ParseKey(const char* text, std::uint16_t* key) {
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 0);
    if (errno != 0 || *end != '\0' || value > 0xFFFF) return false;
    *key = static_cast<std::uint16_t>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint16_t key = 0;
    if (argc != 3 || !ParseKey(argv[1], &key)) {
        std::fprintf(stderr, "usage: scramble_text KEY UTF8-TEXT   (KEY 0..0xFFFF)\n");
        return 2;
    }
    std::string gbk;
    if (!Utf8ToGbk(argv[2], &gbk)) {
        std::fprintf(stderr, "scramble_text: the text cannot be converted to GBK\n");
        return 1;
    }
    std::printf("%s\n", kora::testing::ScrambleText(gbk, key).c_str());
    return 0;
}
