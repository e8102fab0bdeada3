// KORA.exe's pages as a test sees them from outside: captions (GBK), control ids, and
// the walk from one page to the next.
#pragma once
#include <windows.h>

#include <string>

#include "harness/dialog.h"

namespace e2e {

extern const char kProgramFile[];        // "KORA.exe": the copy every case starts
extern const char kSystemCaption[];      // "选择操作系统"
extern const char kSettingsCaption[];    // "详细设置"
extern const char kPortPageCaption[];    // "选择打印端口"
extern const char kPortTypeCaption[];    // "创建端口"
extern const char kMessageBoxCaption[];  // "KORA": the program file's name without ".exe"

// Texts the pages and the run show.
extern const char kBackText[];              // "< 上一步(&B)"
extern const char kNextText[];              // "下一步(&N) >"
extern const char kExitText[];              // "退出(&E)"
extern const char kPortHeading[];           // "端口": the port list's first column
extern const char kLocalPortDescription[];  // "本地端口": the monitor of the standard ports
extern const char kCompletionText[];        // "驱动安装完成"
extern const char kErrorPrefix[];           // "错误：": every failure message starts so
extern const char kFailureLine[];           // "错误：驱动安装失败\n": a failed installation's first line

// The font of every page's template, for sizes in dialog units.
extern const char kPageFont[];  // "宋体"
const int kPagePointSize = 9;

// System page (its track bar is kTrackBar too).
const int kSystemBack = 1008, kSystemNext = 1009, kSystemExit = 1010;
// Settings page.
const int kSettingsBack = 1008, kSettingsNext = 1009, kSettingsExit = 1010;
const int kModelBox = 1011, kDefaultPrinterBox = 1012, kPrinterNameBox = 1013, kPortBox = 1014;
// Port page.
const int kCreatePort = 1008, kConfigurePort = 1009, kPortBack = 1010;
const int kTrackBar = 1007, kPortList = 1021, kInstall = 1022, kPortCancel = 1023, kProgress = 1025;
// Port type dialog (its monitor list is kPortList too).
const int kNewPort = 1008, kPortTypeClose = 1009;

// The system page; `previous` (an earlier system page that is going away) is ignored.
Dialog WaitForSystemPage(DWORD processId, HWND previous = nullptr);
// Next on the system page, then the settings page other than `previous`.
Dialog NextToSettingsPage(DWORD processId, const Dialog& systemPage, HWND previous = nullptr);
// Next on the settings page, then the port page other than `previous`.
Dialog NextToPortPage(DWORD processId, const Dialog& settingsPage, HWND previous = nullptr);

// Selects the port list's row of that name; false when it is not listed.
bool SelectPortRow(const Dialog& portPage, const std::string& portName);

}  // namespace e2e
