#include "harness/ways_out.h"

namespace e2e {

void WayOut::Take(const Dialog& dialog) const {
    switch (kind) {
    case kButton: dialog.Click(button); break;
    case kEscape: dialog.PressEscape(); break;
    case kEnter: dialog.PressEnter(); break;
    case kCloseBox: dialog.CloseBox(); break;
    }
}

std::vector<WayOut> EveryWayOut(const WayOut& button) { return {button, kEscape, kEnter, kCloseBox}; }

}  // namespace e2e
