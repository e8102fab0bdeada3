// The driver package names the models exactly as the installer registers them: a GPD's
// *ModelName and an INF model that differ from the spooler's driver name make a second,
// unrelated driver instead of the one KORA.exe installed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "install/driver_models.h"

namespace {

const std::string kDriverDir = KORA_DRIVER_DIR;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Trim(const std::string& s) {
    const auto begin = s.find_first_not_of(" \t\r");
    const auto end = s.find_last_not_of(" \t\r");
    return begin == std::string::npos ? "" : s.substr(begin, end - begin + 1);
}

// The quoted value of a root-level "*Keyword: "value"" line of a GPD.
std::string GpdString(const std::string& gpd, const std::string& keyword) {
    std::istringstream lines(gpd);
    const std::string prefix = "*" + keyword + ":";
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        const auto open = line.find('"');
        const auto close = line.rfind('"');
        if (open != close) return line.substr(open + 1, close - open - 1);
    }
    return "<no " + prefix + ">";
}

// The "key = value" lines of one INF section, comments and blank lines dropped.
std::multimap<std::string, std::string> InfSection(const std::string& inf, const std::string& name) {
    std::multimap<std::string, std::string> entries;
    std::istringstream lines(inf);
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        line = Trim(line.substr(0, line.find(';')));
        if (line.empty()) continue;
        if (line.front() == '[') {
            inside = line == "[" + name + "]";
        } else if (inside) {
            const auto eq = line.find('=');
            entries.emplace(Trim(line.substr(0, eq)), eq == std::string::npos ? "" : Trim(line.substr(eq + 1)));
        }
    }
    return entries;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

TEST(DriverPackageNames, EachModelGpdCarriesItsDriverNameAndFileName) {
    for (int row = 0; row < kora::kModelCount; ++row) {
        const std::string stem = kora::DataFileStem(row);
        const std::string gpd = ReadFile(kDriverDir + "/gpd/" + stem + ".GPD");
        ASSERT_FALSE(gpd.empty()) << "row " << row << ": no gpd/" << stem << ".GPD";
        EXPECT_EQ(GpdString(gpd, "ModelName"), kora::DriverName(row)) << "row " << row;
        EXPECT_EQ(GpdString(gpd, "GPDFileName"), stem + ".GPD") << "row " << row;
    }
}

TEST(DriverPackageNames, NoModelGpdBeyondTheModelTable) {
    std::set<std::string> expected{"QZ58COM.GPD"};  // the shared part, merged into each model
    for (int row = 0; row < kora::kModelCount; ++row) expected.insert(std::string(kora::DataFileStem(row)) + ".GPD");
    std::set<std::string> found;
    for (const auto& file : std::filesystem::directory_iterator(kDriverDir + "/gpd")) {
        found.insert(file.path().filename().string());
    }
    EXPECT_EQ(found, expected);
}

TEST(DriverPackageNames, InfModelsAreTheModelTable) {
    const std::string inf = ReadFile(kDriverDir + "/QZ58.INF");
    ASSERT_FALSE(inf.empty());
    std::multimap<std::string, std::string> expected;
    for (int row = 0; row < kora::kModelCount; ++row) {
        expected.emplace(Quoted(kora::DriverName(row)), kora::DataFileStem(row));
    }
    // Windows 2000 reads the undecorated models section, later systems the NTx86 one,
    // 64-bit Windows the NTamd64 one, 64-bit ARM Windows the NTarm64 one. After the
    // install section comes the hardware ID (test_inf.py checks those).
    for (const char* section : {"QZ", "QZ.NTx86", "QZ.NTamd64", "QZ.NTarm64"}) {
        std::multimap<std::string, std::string> models;
        for (const auto& [model, value] : InfSection(inf, section))
            models.emplace(model, Trim(value.substr(0, value.find(','))));
        EXPECT_EQ(models, expected) << "[" << section << "]";
    }
}

TEST(DriverPackageNames, EachInfInstallSectionCopiesAndNamesItsOwnGpd) {
    const std::string inf = ReadFile(kDriverDir + "/QZ58.INF");
    for (int row = 0; row < kora::kModelCount; ++row) {
        const std::string stem = kora::DataFileStem(row);
        const std::multimap<std::string, std::string> expected{
            {"CopyFiles", "@" + stem + ".GPD,@" + kora::ResourceLibraryStem(row) + ".DLL"},
            {"DataFile", stem + ".GPD"},
            {"DataSection", "UNIDRV_DATA"},
            {"Include", "NTPRINT.INF"},
            {"Needs", "UNIDRV.OEM"},
        };
        EXPECT_EQ(InfSection(inf, stem), expected) << "row " << row << ": [" << stem << "]";
    }
}

// A catalog the INF names but the package lacks can fail validation on Vista and later,
// while a package without one only makes Windows ask before installing it.
TEST(DriverPackageNames, InfNamesNoCatalogThePackageLacks) {
    const std::string inf = ReadFile(kDriverDir + "/QZ58.INF");
    for (const auto& [key, file] : InfSection(inf, "Version")) {
        if (key.rfind("CatalogFile", 0) != 0) continue;
        EXPECT_TRUE(std::filesystem::exists(kDriverDir + "/" + file)) << key << "=" << file << " is not in driver/";
    }
}

TEST(DriverPackageNames, InfOffersEveryProcessorAndTakesEach64BitLibraryFromItsFolder) {
    const std::string inf = ReadFile(kDriverDir + "/QZ58.INF");
    EXPECT_EQ(InfSection(inf, "Manufacturer"),
              (std::multimap<std::string, std::string>{{"%Manufacturer%", "QZ,NTx86,NTamd64,NTarm64"}}));
    // The GPDs are shared; each processor takes its own build of the resource library.
    std::multimap<std::string, std::string> gpds;
    for (int row = 0; row < kora::kModelCount; ++row) gpds.emplace(std::string(kora::DataFileStem(row)) + ".GPD", "1");
    auto withLibrary = [&gpds](const char* where) {
        auto files = gpds;
        files.emplace("QZC10.DLL", where);
        return files;
    };
    EXPECT_EQ(InfSection(inf, "SourceDisksFiles"), withLibrary("1"));
    for (const auto& [suffix, where] : {std::pair{".amd64", "1,x64"}, std::pair{".arm64", "1,arm64"}}) {
        EXPECT_EQ(InfSection(inf, std::string("SourceDisksFiles") + suffix), withLibrary(where)) << suffix;
        EXPECT_EQ(InfSection(inf, std::string("SourceDisksNames") + suffix), InfSection(inf, "SourceDisksNames"))
            << suffix;
        EXPECT_EQ(InfSection(inf, std::string("SourceDisksNames") + suffix).count("1"), 1u) << suffix;
    }
}

}  // namespace
