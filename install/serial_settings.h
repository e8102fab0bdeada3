// The line settings of a serial printer, recorded under the port's value in the machine's
// ports list. The text comes from the settings page's five hidden line boxes.
#pragma once

#include <string>

#include "install/install_system.h"

namespace kora {

// Indexed by the selection of the matching box on the settings page; the boxes always have
// a selection, so there is no bounds check.
extern const char* const BaudRateTable[9];
extern const char* const DataBitsTable[4];
extern const char* const StopBitsTable[3];
extern const char* const ParityTable[5];
extern const char* const FlowControlTable[3];
extern const char* const PortValueNameTable[7];  // indexed by the port box

// The port box's first serial row: rows below it are LPT ports.
constexpr int kFirstSerialPortRow = 3;

extern const char kPortsKey[];

// "baud,parity,data,stop,flow", each field looked up by its box's selection.
std::string ComposeSerialSettings(int baud, int parity, int dataBits, int stopBits, int flowControl);

// Writes the value for port box row portRow; nothing for an LPT row or no selection.
void WriteSerialSettings(InstallSystem& sys, int portRow);

}  // namespace kora
