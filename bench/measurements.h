// One timed run of each thing the benchmark compares. Each run starts its program fresh
// in the shared prefix; the install runs start from an empty spooler.
#pragma once
#include <string>

namespace bench {

// Windows paths of the staged programs; the folder also holds win2k\ and is the
// current directory of every run.
struct Stage {
    std::string folder;
    std::string kora, minimalDialog, minimalCommonControls, bareInstall;
};

struct Timing {
    bool ok = false;
    double ms = 0;
    std::string error;  // what went wrong when !ok
    // KORA's install only: from the port page turning invisible to its window being gone.
    // Under Wine on an X server without a window manager this alone takes about 2 s (the
    // X11 driver waits for a window manager to withdraw the window); Windows does not wait.
    double pageCloseMs = 0;
};

// Process start to the first page shown.
Timing TimeKoraLaunch(const Stage& stage);
Timing TimeMinimalDialogLaunch(const Stage& stage);
// The minimal dialog after loading the common controls, which KORA's first page needs.
Timing TimeMinimalCommonControlsLaunch(const Stage& stage);

// The Install click on the port page to the completion message shown.
Timing TimeKoraInstall(const Stage& stage);
// The go signal to the bare program's completion message, after `passes` installation runs.
Timing TimeBareInstall(const Stage& stage, int passes);

// Deletes every printer, driver and driver file, so that each install run does the same work.
void ResetSpooler();

}  // namespace bench
