// A DLL planted beside framework_test.exe under a name the system directory lacks: a
// lookup that honours only the system directory must not find it.
#include <windows.h>

extern "C" __declspec(dllexport) int PlantedProbe() { return 42; }
