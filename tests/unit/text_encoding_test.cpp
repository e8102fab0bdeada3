#include <gtest/gtest.h>

#include <string>

namespace {

// The program's 8-bit texts must reach the ANSI calls as GBK, the code page of its users;
// a build without -fexec-charset=GBK would hand them UTF-8.
TEST(TextEncoding, ChineseLiteralsCompileToGbk) {
    const std::string text = "驱动安装完成";
    const std::string gbk = "\xC7\xFD\xB6\xAF\xB0\xB2\xD7\xB0\xCD\xEA\xB3\xC9";
    EXPECT_EQ(text, gbk);
}

}  // namespace
