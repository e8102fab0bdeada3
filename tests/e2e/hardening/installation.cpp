#include "installation.h"

#include "harness/message_box.h"
#include "harness/model_files.h"
#include "harness/paths.h"
#include "harness/workspace.h"

namespace e2e {

const char kCompletionText[] = "驱动安装完成";
const char kDefaultModel[] = "QZ-A50X Series";

std::vector<std::string> DefaultModelFiles() { return DriverFilesOf(kPreselectedModelRow); }

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
  if (!WriteStandIns(PathOf("win2k"), win2kFiles)) return fail("cannot write the win2k stand-ins");
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
  Dialog system = WaitForSystemPage(id);
  if (!system) {
    trouble_ = "the system page did not appear";
    return Dialog();
  }
  settings_ = NextToSettingsPage(id, system);
  if (!settings_) {
    trouble_ = "the settings page did not appear";
    return Dialog();
  }
  Dialog ports = NextToPortPage(id, settings_);
  if (!ports) trouble_ = "the port page did not appear";
  return ports;
}

std::vector<std::string> Installer::AnswerMessagesUntilExit(DWORD timeoutMs, const std::function<void(HWND)>& onBox) {
  std::vector<std::string> texts = AnswerMessageBoxesUntilExit(*program_, kMessageBoxCaption, timeoutMs, onBox);
  if (!program_->HasExited()) trouble_ = "the program did not end";
  return texts;
}

std::vector<std::string> Installer::InstallOn(const Dialog& portPage, const std::function<void(HWND)>& onBox) {
  portPage.Click(kInstall);
  return AnswerMessagesUntilExit(kInstallTimeoutMs, onBox);
}

}  // namespace e2e
