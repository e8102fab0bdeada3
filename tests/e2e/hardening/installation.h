// One whole installation driven from outside: the program in a folder of the test's
// choosing, the three pages, and the message boxes at the end.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "harness/dialog.h"
#include "harness/kora_pages.h"
#include "harness/program.h"

namespace e2e {

extern const char kCompletionText[];  // "驱动安装完成"
extern const char kDefaultModel[];    // driver and printer name of the preselected model row 5

// The eight files of the preselected model row, in copy order.
std::vector<std::string> DefaultModelFiles();

// A folder (Windows path, created with its parents) holding a copy of the program and a
// win2k folder with stand-ins for the given files. Removed with everything in it.
class InstallFolder {
 public:
  InstallFolder(const std::string& folder, const std::vector<std::string>& win2kFiles);
  ~InstallFolder();
  InstallFolder(const InstallFolder&) = delete;
  InstallFolder& operator=(const InstallFolder&) = delete;

  bool Ready() const { return ready_; }
  // Why the folder is not ready, for the failure message.
  const std::string& Trouble() const { return trouble_; }
  const std::string& Folder() const { return folder_; }
  std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }
  // Copies another file in (a planted DLL, a probe under the program's name).
  bool AddFile(const std::string& source, const std::string& name) const;

 private:
  bool Prepare(const std::vector<std::string>& win2kFiles);

  std::string folder_;
  std::string trouble_;
  bool ready_ = false;
};

// A program started in its folder and driven page by page. Every wait is bounded.
class Installer {
 public:
  explicit Installer(const InstallFolder& folder);
  bool Started() const { return program_->Started(); }
  Program& Process() { return *program_; }

  // System page Next, settings page Next: the port page, or an empty dialog (see Trouble()).
  Dialog OpenPortPage();
  Dialog SettingsPage() const { return settings_; }
  // Presses OK on every message box until the program ends (or timeoutMs passes); the
  // texts in order. onBox runs before each box is closed.
  std::vector<std::string> AnswerMessagesUntilExit(DWORD timeoutMs,
                                                   const std::function<void(HWND)>& onBox = nullptr);
  // The port page's Install, then the message boxes until the end.
  std::vector<std::string> InstallOn(const Dialog& portPage, const std::function<void(HWND)>& onBox = nullptr);
  // What went wrong in the last step, for the failure message.
  const std::string& Trouble() const { return trouble_; }

 private:
  std::unique_ptr<Program> program_;
  Dialog settings_;
  std::string trouble_;
};

// How long a whole run may take from Install to its end: two runs with their pauses and
// one message box, on a machine shared with other Wine tests.
const DWORD kInstallTimeoutMs = 60000;

}  // namespace e2e
