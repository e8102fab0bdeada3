// The floor dialog's template number and caption, shared by its resource script, the
// program and the runner that waits for it (macros, so windres reads them too).
#pragma once

#define IDD_MINIMAL_DIALOG 100
#define MINIMAL_DIALOG_CAPTION "基准对话框"
