// One installation run: copy the driver files, register the driver and the printer, set the
// default printer and the serial line settings, and drive the port page's progress bar.
#pragma once

#include <cstdint>
#include <string>

#include "install/install_system.h"

namespace kora {

struct Environment64;

enum class InstallStep {
    None,
    DriverDirectory,
    CopyFiles,
    RegisterDriver,
    CreatePrinter,
    MovePrinterToPort,
    FindUnidrv64
};

// The first step that failed, so that a failed run is never reported as a success.
struct InstallOutcome {
    InstallStep failedStep = InstallStep::None;
    std::string detail;  // the environment of a failed directory query other than x86's, the
                         // source file of a failed copy, the port of a failed move, the package
                         // folder that lacks a 64-bit Unidrv
    const Environment64* unidrvMissingFor = nullptr;  // the environment of a FindUnidrv64 failure
    std::uint32_t error = 0;
    std::string portName;  // the port the run used, as ChosenPortName gave it
    bool Succeeded() const { return failedStep == InstallStep::None; }
    // Keeps only the first failure: later ones are usually its consequences, and the first
    // is what the user sees.
    void Fail(InstallStep step, std::uint32_t error, const std::string& detail = std::string());
};

// Every step runs whatever failed before it, except the copies (skipped without a driver
// directory, so nothing lands at the drive's root) and the Device value (skipped when the
// printer does not exist). A printer of that name that is there already is put on the
// chosen port (an empty port name leaves it as it is); if that fails, the run has failed,
// but the printer exists and may still become the default. Running programs hear of a
// new default printer only when the Device value was written.
InstallOutcome RunInstallation(InstallSystem& sys);

// The environment's driver directory, or "" after recording the failure with `detail`; a
// buffer without a zero byte is cut at its end.
std::string QueryDriverDirectory(InstallSystem& sys, const std::string& environment, const std::string& detail,
                                 InstallOutcome& outcome);

// Two lines for the error box: that the installation failed, then the failed step and the
// system's text for the error (left out when the step failed without an error code).
std::string InstallFailureMessage(const InstallOutcome& outcome, const std::string& errorText);

}  // namespace kora
