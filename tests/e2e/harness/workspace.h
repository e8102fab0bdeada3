// A fresh working folder for one case: C:\kora-e2e\<case>\ with the program copied in
// and, if asked, a win2k\ folder. Removed again when the case ends.
#pragma once
#include <cstddef>
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
    // The same for the program an environment variable names (KORA_EXE and its variants).
    bool AddProgramFromEnv(const char* variable, const std::string& fileName);
    // Creates win2k\ holding the named files, each with a short stand-in text.
    bool AddWin2kFolder(const std::vector<std::string>& fileNames);

    const std::string& Folder() const { return folder_; }
    std::string PathOf(const std::string& fileName) const;

private:
    std::string folder_;
};

// The name of the running test case, for a folder of its own.
std::string CurrentCaseName();

// Deletes a folder and everything below it.
void RemoveTree(const std::string& folder);
// Creates a folder (a Windows path with a drive) and its missing parents; true when it
// exists afterwards.
bool CreateFolderWithParents(const std::string& folder);
bool FileExists(const std::string& path);
// Creates or replaces the file with exactly these bytes.
bool WriteWholeFile(const std::string& path, const void* data, size_t size);
// Writes each named file into the folder, with a short stand-in text.
bool WriteStandIns(const std::string& folder, const std::vector<std::string>& fileNames);

}  // namespace e2e
