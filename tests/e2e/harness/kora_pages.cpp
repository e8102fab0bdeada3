#include "harness/kora_pages.h"

#include "harness/controls.h"
#include "harness/process_windows.h"

namespace e2e {

const char kProgramFile[] = "KORA.exe";
const char kSystemCaption[] = "选择操作系统";
const char kSettingsCaption[] = "详细设置";
const char kPortPageCaption[] = "选择打印端口";
const char kPortTypeCaption[] = "创建端口";
const char kMessageBoxCaption[] = "KORA";
const char kPageFont[] = "宋体";
const char kBackText[] = "< 上一步(&B)";
const char kNextText[] = "下一步(&N) >";
const char kExitText[] = "退出(&E)";
const char kPortHeading[] = "端口";
const char kLocalPortDescription[] = "本地端口";
const char kCompletionText[] = "驱动安装完成";
const char kErrorPrefix[] = "错误：";
const char kFailureLine[] = "错误：驱动安装失败\n";

Dialog WaitForSystemPage(DWORD processId, HWND previous) {
    return Dialog(WaitForNewDialog(processId, kSystemCaption, previous));
}

Dialog NextToSettingsPage(DWORD processId, const Dialog& systemPage, HWND previous) {
    systemPage.Click(kSystemNext);
    return Dialog(WaitForNewDialog(processId, kSettingsCaption, previous));
}

Dialog NextToPortPage(DWORD processId, const Dialog& settingsPage, HWND previous) {
    settingsPage.Click(kSettingsNext);
    return Dialog(WaitForNewDialog(processId, kPortPageCaption, previous));
}

bool SelectPortRow(const Dialog& portPage, const std::string& portName) {
    std::vector<std::string> names = ListViewColumnTexts(portPage, kPortList, 0);
    for (size_t row = 0; row < names.size(); ++row) {
        if (names[row] == portName) return SelectListViewRow(portPage, kPortList, static_cast<int>(row));
    }
    return false;
}

}  // namespace e2e
