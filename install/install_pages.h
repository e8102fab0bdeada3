// What an installation run reads from the pages, and the progress it reports to them. The
// settings page and the port page implement these; the installation knows no page itself.
// No windows.h here.
#pragma once

#include <string>

namespace kora {

class SettingsPageInputs {
public:
    // The selection of the settings page's combo box with this id (res/resource.h), -1 for none.
    virtual int SelectedRow(int boxId) const = 0;
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
