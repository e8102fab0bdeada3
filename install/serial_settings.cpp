#include "install/serial_settings.h"

#include "install/registry_text.h"

namespace kora {

const char* const BaudRateTable[9] = {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
const char* const DataBitsTable[4] = {"5", "6", "7", "8"};
const char* const StopBitsTable[3] = {"1", "1.5", "2"};
const char* const ParityTable[5] = {"E", "M", "N", "O", "S"};  // Even, Mark, None, Odd, Space
// None is a blank, not an empty field; XonXoff, Hardware.
const char* const FlowControlTable[3] = {" ", "x", "p"};
const char* const PortValueNameTable[7] = {"LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:"};

const char kPortsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

std::string ComposeSerialSettings(int baud, int parity, int dataBits, int stopBits, int flowControl) {
    return std::string(BaudRateTable[baud]) + "," + ParityTable[parity] + "," + DataBitsTable[dataBits] + "," +
           StopBitsTable[stopBits] + "," + FlowControlTable[flowControl];
}

void WriteSerialSettings(InstallSystem& sys, int portRow) {
    if (portRow < kFirstSerialPortRow) return;
    // The boxes are read in this order, which differs from the order of the fields.
    const int baud = sys.BaudRateRow();
    const int dataBits = sys.DataBitsRow();
    const int stopBits = sys.StopBitsRow();
    const int parity = sys.ParityRow();
    const int flowControl = sys.FlowControlRow();
    const std::string text = ComposeSerialSettings(baud, parity, dataBits, stopBits, flowControl);
    WriteRegistryText(sys, Hive::LocalMachine, kPortsKey, PortValueNameTable[portRow], text);
}

}  // namespace kora
