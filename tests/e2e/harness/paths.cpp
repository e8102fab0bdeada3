#include "harness/paths.h"

#include <cstdlib>

namespace e2e {

std::string EnvText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string UnixToWindowsPath(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path;
    std::string result = "Z:";
    for (char c : path) result += (c == '/') ? '\\' : c;
    return result;
}

std::string ProgramFromEnv(const char* name) {
    std::string path = EnvText(name);
    return path.empty() ? path : UnixToWindowsPath(path);
}

}  // namespace e2e
