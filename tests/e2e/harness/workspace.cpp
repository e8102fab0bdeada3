#include "harness/workspace.h"

#include <windows.h>

namespace e2e {
namespace {

const char kRoot[] = "C:\\kora-e2e";

bool WriteSmallFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == text.size();
}

}  // namespace

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

bool Workspace::AddWin2kFolder(const std::vector<std::string>& fileNames) {
  std::string win2k = PathOf("win2k");
  if (!CreateDirectoryA(win2k.c_str(), nullptr)) return false;
  for (const std::string& name : fileNames) {
    if (!WriteSmallFile(win2k + "\\" + name, "e2e stand-in for " + name + "\r\n")) return false;
  }
  return true;
}

}  // namespace e2e
