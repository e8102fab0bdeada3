// Comparing a control's place on its dialog with its template, in dialog units.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// left, top, width, height each within one unit: the conversion back from pixels rounds.
// `where` names the control in every failure.
void ExpectUnitsNear(const RECT& expected, const RECT& actual, const std::string& where);

}  // namespace e2e
