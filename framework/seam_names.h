// windows.h maps names such as CopyFile to their A or W forms with macros. The seams of the
// portable core use those names for their own operations, so files that implement a seam
// include this first: windows.h, then the mappings that would rename the seam's members
// dropped (the program calls the A forms by their full names).
#pragma once

#include <windows.h>
#include <winspool.h>

#undef AddPrinter
#undef AddPrinterDriver
#undef CopyFile
#undef GetPrinterDriverDirectory
#undef GetVersionEx
#undef MessageBox
#undef OutputDebugString
#undef RegOpenKeyEx
#undef RegSetValueEx
