#include "installation.h"

#include <algorithm>

#include "harness/message_box.h"
#include "harness/paths.h"
#include "harness/process_windows.h"
#include "harness/workspace.h"

namespace e2e {

const char kProgramFile[] = "KORA.exe";
const char kMessageCaption[] = "KORA";
const char kCompletionText[] = "驱动安装完成";
const char kDefaultModel[] = "QZ-A50X Series";

namespace {

const char kSystemCaption[] = "选择操作系统";
const char kSettingsCaption[] = "详细设置";
const char kPortCaption[] = "选择打印端口";
const int kSystemNextButton = 1009, kSettingsNextButton = 1009;
const DWORD kPollMs = 100;

bool CreateFolderWithParents(const std::string& folder) {
  for (size_t slash = folder.find('\\', 3); slash != std::string::npos; slash = folder.find('\\', slash + 1))
    CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteStandIn(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const char text[] = "hardening stand-in\r\n";
  DWORD written = 0;
  BOOL ok = WriteFile(file, text, sizeof text - 1, &written, nullptr);
  CloseHandle(file);
  return ok && written == sizeof text - 1;
}

std::vector<HWND> MessageBoxesOf(DWORD processId) {
  std::vector<HWND> boxes;
  for (HWND window : VisibleTopLevelWindows(processId))
    if (WindowClass(window) == "#32770" && WindowCaption(window) == kMessageCaption) boxes.push_back(window);
  return boxes;
}

}  // namespace

std::vector<std::string> DefaultModelFiles() {
  return {"QZC10.DLL",  "QZA50X.GPD", "uniDRVui.DLL", "uniDRV.DLL",
          "UNIDRV.HLP", "UNIRES.DLL", "TTFSUB.GPD",   "STDNAMES.GPD"};
}

InstallFolder::InstallFolder(const std::string& folder, const std::vector<std::string>& win2kFiles)
    : folder_(folder) {
  RemoveTree(folder_);
  ready_ = Prepare(win2kFiles);
}

bool InstallFolder::Prepare(const std::vector<std::string>& win2kFiles) {
  auto fail = [this](const std::string& step) {
    trouble_ = step + ", error " + std::to_string(GetLastError());
    return false;
  };
  if (!CreateFolderWithParents(folder_ + "\\win2k")) return fail("cannot create " + folder_ + "\\win2k");
  if (!CopyFileA(ProgramFromEnv("KORA_EXE").c_str(), PathOf(kProgramFile).c_str(), FALSE))
    return fail("cannot copy the program");
  for (const std::string& name : win2kFiles)
    if (!WriteStandIn(PathOf("win2k\\" + name))) return fail("cannot write win2k\\" + name);
  return true;
}

InstallFolder::~InstallFolder() { RemoveTree(folder_); }

bool InstallFolder::AddFile(const std::string& source, const std::string& name) const {
  return !source.empty() && CopyFileA(source.c_str(), PathOf(name).c_str(), FALSE);
}

Installer::Installer(const InstallFolder& folder)
    : program_(std::make_unique<Program>(folder.PathOf(kProgramFile), folder.Folder())) {}

Dialog Installer::OpenPortPage() {
  const DWORD id = program_->ProcessId();
  Dialog system(WaitForDialog(id, kSystemCaption));
  if (!system) {
    trouble_ = "the system page did not appear";
    return Dialog();
  }
  system.Click(kSystemNextButton);
  settings_ = Dialog(WaitForDialog(id, kSettingsCaption));
  if (!settings_) {
    trouble_ = "the settings page did not appear";
    return Dialog();
  }
  settings_.Click(kSettingsNextButton);
  Dialog ports(WaitForDialog(id, kPortCaption));
  if (!ports) trouble_ = "the port page did not appear";
  return ports;
}

std::vector<std::string> Installer::AnswerMessagesUntilExit(DWORD timeoutMs, const std::function<void(HWND)>& onBox) {
  std::vector<std::string> texts;
  std::vector<HWND> answered;
  const DWORD start = GetTickCount();
  while (!program_->HasExited() && GetTickCount() - start < timeoutMs) {
    for (HWND box : MessageBoxesOf(program_->ProcessId())) {
      if (std::find(answered.begin(), answered.end(), box) != answered.end()) continue;
      texts.push_back(MessageBoxText(box));
      if (onBox) onBox(box);
      PressMessageBoxOk(box);
      answered.push_back(box);
    }
    Sleep(kPollMs);
  }
  if (!program_->HasExited()) trouble_ = "the program did not end";
  return texts;
}

std::vector<std::string> Installer::InstallOn(const Dialog& portPage, const std::function<void(HWND)>& onBox) {
  portPage.Click(kInstallButton);
  return AnswerMessagesUntilExit(kInstallTimeoutMs, onBox);
}

}  // namespace e2e
