// What an installation of a model row must leave behind, written out by hand from the
// model table and the copy table, never taken from the program's own tables.
#pragma once
#include <string>
#include <vector>

namespace e2e {

const int kModelRows = 11;
const int kPreselectedModelRow = 5;

// "QZ-A10 Series" ... : the driver's and the printer's name.
std::string ModelDriverName(int row);
// The driver's and the printer's name of the preselected row: "QZ-A50X Series".
std::string DefaultModel();
// "QZA10.GPD" ...
std::string ModelDataFile(int row);
// The eight files a run copies into the driver directory, in copy order.
std::vector<std::string> DriverFilesOf(int row);
// Every file of a complete win2k folder: all data files and the shared ones.
std::vector<std::string> Win2kFolderFiles();

}  // namespace e2e
