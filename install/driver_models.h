// The eleven printer models as the spooler knows them, indexed by the row of the settings
// page's model box: the name the driver and the printer are registered under, and the stems
// of the model's two driver files. What the model box shows lives with the page.
#pragma once

namespace kora {

constexpr int kModelCount = 11;

// Spooler driver name, which is also the printer name.
const char* DriverName(int row);
// Stem of the model's Unidrv data file (stem + ".GPD").
const char* DataFileStem(int row);
// Stem of the resource library (stem + ".DLL"), one file shared by every model.
const char* ResourceLibraryStem(int row);

}  // namespace kora
