// What an installation run reads from the pages, and the progress it reports to them. The
// settings page and the port page implement these; the installation knows no page itself.
// No windows.h here.
#pragma once

#include <string>

namespace kora {

// The settings page's boxes, each asked for by what it holds; a row is -1 for a box
// without a selection.
class SettingsPageInputs {
public:
    virtual int ModelRow() const = 0;
    virtual int SerialPortRow() const = 0;  // the hidden port box: LPT1 to LPT3, then COM1 to COM4
    virtual int BaudRateRow() const = 0;
    virtual int DataBitsRow() const = 0;
    virtual int StopBitsRow() const = 0;
    virtual int ParityRow() const = 0;
    virtual int FlowControlRow() const = 0;
    virtual bool IsDefaultPrinterChecked() const = 0;

protected:
    ~SettingsPageInputs() = default;
};

class PortPageInputs {
public:
    virtual std::string ChosenPortName() const = 0;  // empty when the page ended without a choice
    virtual void SetProgress(int position) = 0;      // does nothing once the page has closed

protected:
    ~PortPageInputs() = default;
};

}  // namespace kora
