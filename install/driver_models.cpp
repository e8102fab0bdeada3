#include "install/driver_models.h"

namespace kora {

namespace {

// Rows are the model box's rows; callers pass its selection, which always exists.
const char* const kDriverNames[kModelCount] = {
    "QZ-A10 Series", "QZ-A20 Series", "QZ-A30 Series",  "QZ-A40 Series",  "QZ-A50 Series", "QZ-A50X Series",
    "QZ-B10 Series", "QZ-B20 Series", "QZ-B20M Series", "QZ-HB20 Series", "QZ-C10 Series",
};

const char* const kDataFileStems[kModelCount] = {
    "QZA10", "QZA20", "QZA30", "QZA40", "QZA50", "QZA50X", "QZB10", "QZB20", "QZB20M", "QZHB20", "QZC10",
};

const char* const kResourceLibraryStems[kModelCount] = {
    "QZC10", "QZC10", "QZC10", "QZC10", "QZC10", "QZC10", "QZC10", "QZC10", "QZC10", "QZC10", "QZC10",
};

}  // namespace

const char* DriverName(int row) { return kDriverNames[row]; }
const char* DataFileStem(int row) { return kDataFileStems[row]; }
const char* ResourceLibraryStem(int row) { return kResourceLibraryStems[row]; }

}  // namespace kora
