// What the settings page shows for the models: the model box's texts, stored scrambled, in
// the rows of the model table (install/driver_models.h).
#pragma once

#include <string>

#include "install/driver_models.h"

namespace kora {

// The text the model box shows for the row (GBK).
std::string DisplayText(int row);
// The printer name shown before a model has been picked (GBK).
std::string DefaultPrinterName();

}  // namespace kora
