#include "harness/workspace.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "harness/paths.h"

namespace e2e {
namespace {

const char kRoot[] = "C:\\kora-e2e";

}  // namespace

std::string CurrentCaseName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

bool CreateFolderWithParents(const std::string& folder) {
    for (size_t slash = folder.find('\\', 3); slash != std::string::npos; slash = folder.find('\\', slash + 1))
        CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
    return ok && written == size;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WriteStandIns(const std::string& folder, const std::vector<std::string>& fileNames) {
    for (const std::string& name : fileNames) {
        const std::string text = "e2e stand-in for " + name + "\r\n";
        if (!WriteWholeFile(folder + "\\" + name, text.data(), text.size())) return false;
    }
    return true;
}

Workspace::Workspace(const std::string& caseName) : folder_(std::string(kRoot) + "\\" + caseName) {
    CreateDirectoryA(kRoot, nullptr);
    RemoveTree(folder_);
    CreateDirectoryA(folder_.c_str(), nullptr);
}

Workspace::~Workspace() { RemoveTree(folder_); }

std::string Workspace::PathOf(const std::string& fileName) const { return folder_ + "\\" + fileName; }

bool Workspace::AddProgram(const std::string& source, const std::string& fileName) {
    return !source.empty() && CopyFileA(source.c_str(), PathOf(fileName).c_str(), FALSE);
}

bool Workspace::AddProgramFromEnv(const char* variable, const std::string& fileName) {
    return AddProgram(ProgramFromEnv(variable), fileName);
}

bool Workspace::AddWin2kFolder(const std::vector<std::string>& fileNames) {
    std::string win2k = PathOf("win2k");
    return CreateDirectoryA(win2k.c_str(), nullptr) && WriteStandIns(win2k, fileNames);
}

}  // namespace e2e
