#include "harness/model_files.h"

namespace e2e {
namespace {

const char* const kDriverNames[kModelRows] = {
    "QZ-A10 Series", "QZ-A20 Series", "QZ-A30 Series",  "QZ-A40 Series",  "QZ-A50 Series", "QZ-A50X Series",
    "QZ-B10 Series", "QZ-B20 Series", "QZ-B20M Series", "QZ-HB20 Series", "QZ-C10 Series",
};
const char* const kDataFileStems[kModelRows] = {
    "QZA10", "QZA20", "QZA30", "QZA40", "QZA50", "QZA50X", "QZB10", "QZB20", "QZB20M", "QZHB20", "QZC10",
};
const char kResourceLibrary[] = "QZC10.DLL";
const char* const kSharedFiles[] = {"uniDRVui.DLL", "uniDRV.DLL", "UNIDRV.HLP",
                                    "UNIRES.DLL",   "TTFSUB.GPD", "STDNAMES.GPD"};

}  // namespace

std::string ModelDriverName(int row) { return kDriverNames[row]; }
std::string DefaultModel() { return ModelDriverName(kPreselectedModelRow); }
std::string ModelDataFile(int row) { return std::string(kDataFileStems[row]) + ".GPD"; }

std::vector<std::string> DriverFilesOf(int row) {
    std::vector<std::string> files = {kResourceLibrary, ModelDataFile(row)};
    files.insert(files.end(), std::begin(kSharedFiles), std::end(kSharedFiles));
    return files;
}

std::vector<std::string> Win2kFolderFiles() {
    std::vector<std::string> files = {kResourceLibrary};
    for (int row = 0; row < kModelRows; ++row) files.push_back(ModelDataFile(row));
    files.insert(files.end(), std::begin(kSharedFiles), std::end(kSharedFiles));
    return files;
}

}  // namespace e2e
