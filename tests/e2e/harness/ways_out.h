// The ways a user leaves a dialog: one of its own buttons, Esc, Enter, the close box.
#pragma once
#include <vector>

#include "harness/dialog.h"

namespace e2e {

struct WayOut {
    enum Kind { kButton, kEscape, kEnter, kCloseBox };
    const char* name;  // for the failure message: "Exit button", "Esc", ...
    Kind kind;
    int button;  // kButton: the control id

    void Take(const Dialog& dialog) const;
};

const WayOut kEscape = {"Esc", WayOut::kEscape, 0};
const WayOut kEnter = {"Enter", WayOut::kEnter, 0};
const WayOut kCloseBox = {"close box", WayOut::kCloseBox, 0};
constexpr WayOut ButtonWay(const char* name, int button) { return {name, WayOut::kButton, button}; }

// Every way out of a dialog whose own button is `button`: the button, Esc, Enter, the close box.
std::vector<WayOut> EveryWayOut(const WayOut& button);

}  // namespace e2e
