// A fresh working folder for one case: C:\kora-e2e\<case>\ with the program copied in
// and, if asked, a win2k\ folder. Removed again when the case ends.
#pragma once
#include <string>
#include <vector>

namespace e2e {

class Workspace {
 public:
  explicit Workspace(const std::string& caseName);
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // Copies the program (a Windows path) in under the given file name; false on failure.
  bool AddProgram(const std::string& source, const std::string& fileName);
  // Creates win2k\ holding the named files, each with a short stand-in text.
  bool AddWin2kFolder(const std::vector<std::string>& fileNames);

  const std::string& Folder() const { return folder_; }
  std::string PathOf(const std::string& fileName) const;

 private:
  std::string folder_;
};

// Deletes a folder and everything below it.
void RemoveTree(const std::string& folder);

}  // namespace e2e
