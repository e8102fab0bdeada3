// The eleven printer models, indexed by the row of the settings page's model box.
#pragma once

#include <string>

namespace kora {

constexpr int kModelCount = 11;

// Spooler driver name, which is also the printer name.
const char* DriverName(int row);
// Stem of the model's Unidrv data file (stem + ".GPD").
const char* DataFileStem(int row);
// Stem of the resource library (stem + ".DLL"), one file shared by every model.
const char* ResourceLibraryStem(int row);

// The text the model box shows for the row (GBK).
std::string DisplayText(int row);
// The printer name shown before a model has been picked (GBK).
std::string DefaultPrinterName();

}  // namespace kora
