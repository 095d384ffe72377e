// The settings file through the Windows profile functions, in the prefix's roaming folder.
#include <windows.h>
#include <shlobj.h>

#include "hotkey/settings_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        path_ = SettingsFilePath();
        Remove();
    }
    void TearDown() override { Remove(); }

    void Remove() {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path_.c_str());
        RemoveDirectoryA(path_.c_str());
    }

    std::string path_;
};

TEST_F(SettingsFileTest, PathIsInTheRoamingApplicationDataFolder) {
    char folder[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE));
    EXPECT_EQ(path_, std::string(folder) + "\\harnlo.ini");
    EXPECT_NE(path_.find("AppData\\Roaming\\harnlo.ini"), std::string::npos) << path_;
}

TEST_F(SettingsFileTest, FirstStartCreatesTheHiddenSystemFileWithF1) {
    EXPECT_EQ(ReadHotkeySetting(), "");
    EnsureSettingsFile();
    EXPECT_EQ(ReadBytes(path_), "[x]\r\nxx=F1\r\n");
    // Wine reports the archive attribute for every regular file, whatever was set.
    EXPECT_EQ(GetFileAttributesA(path_.c_str()) & ~DWORD{FILE_ATTRIBUTE_ARCHIVE},
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
    EXPECT_EQ(ReadHotkeySetting(), "F1");
}

TEST_F(SettingsFileTest, AnExistingFileIsLeftAlone) {
    const std::string content = "; mine\r\n[x]\r\nxx=F5\r\n";
    WriteBytes(path_, content);
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EnsureSettingsFile();
    EXPECT_EQ(ReadBytes(path_), content);
    EXPECT_EQ(ReadHotkeySetting(), "F5");

    // Even one without the entry: it is not repaired.
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteBytes(path_, "[other]\r\nk=v\r\n");
    EnsureSettingsFile();
    EXPECT_EQ(ReadBytes(path_), "[other]\r\nk=v\r\n");
    EXPECT_EQ(ReadHotkeySetting(), "");
}

TEST_F(SettingsFileTest, AWriteChangesOnlyTheKeysValue) {
    WriteBytes(path_, "[a]\r\nk=v\r\n[x]\r\nxx=F1\r\nyy=z\r\n[b]\r\nxx=F9\r\n");
    WriteHotkeySetting("F2");
    EXPECT_EQ(ReadBytes(path_), "[a]\r\nk=v\r\n[x]\r\nxx=F2\r\nyy=z\r\n[b]\r\nxx=F9\r\n");
    EXPECT_EQ(ReadHotkeySetting(), "F2");
}

TEST_F(SettingsFileTest, EmptyOrMissingValuesReadAsAbsent) {
    const char* contents[] = {"[x]\r\nxx=\r\n", "[y]\r\nxx=F1\r\n", "[x]\r\nyy=F1\r\n", ""};
    for (const char* content : contents) {
        WriteBytes(path_, content);
        EXPECT_EQ(ReadHotkeySetting(), "") << content;
    }
    // Values are passed on as the profile function gives them.
    WriteBytes(path_, "[x]\r\nxx=f1\r\n");
    EXPECT_EQ(ReadHotkeySetting(), "f1");
}

TEST_F(SettingsFileTest, WritingTheEmptyNameKeepsTheEntry) {
    WriteBytes(path_, "[x]\r\nxx=F3\r\n");
    WriteHotkeySetting("");
    EXPECT_EQ(ReadBytes(path_), "[x]\r\nxx=\r\n");
    EXPECT_EQ(ReadHotkeySetting(), "");
}

TEST_F(SettingsFileTest, AWriteCreatesAVanishedFileWithoutTheAttributes) {
    WriteHotkeySetting("F7");
    EXPECT_EQ(ReadBytes(path_), "[x]\r\nxx=F7\r\n");
    EXPECT_EQ(GetFileAttributesA(path_.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              0u);
}

TEST_F(SettingsFileTest, LongValuesAreCutToTheReadBuffer) {
    WriteBytes(path_, "[x]\r\nxx=" + std::string(20000, 'A') + "\r\n");
    EXPECT_EQ(ReadHotkeySetting(), std::string(10239, 'A'));
}

TEST_F(SettingsFileTest, CommentsBlankLinesAndSpacingAreKeptByteForByte) {
    const std::string before =
        "; kept\r\n\r\n[other]\r\nkey = spaced value \r\n# note\r\n\r\n[x]\r\nxx=F1\r\nyy=1\r\n\r\n"
        "[tail]\r\nz=" +
        std::string(100 * 1024, 'z') + "\r\n";
    WriteBytes(path_, before);
    EXPECT_EQ(ReadHotkeySetting(), "F1");
    WriteHotkeySetting("F8");
    std::string after = before;
    after.replace(after.find("xx=F1"), 5, "xx=F8");
    EXPECT_EQ(ReadBytes(path_), after);
    EXPECT_EQ(ReadHotkeySetting(), "F8");
}

TEST_F(SettingsFileTest, AHiddenSystemFileIsWrittenInPlace) {
    EnsureSettingsFile();
    WriteHotkeySetting("F6");
    EXPECT_EQ(ReadBytes(path_), "[x]\r\nxx=F6\r\n");
    EXPECT_EQ(GetFileAttributesA(path_.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
    EXPECT_EQ(ReadHotkeySetting(), "F6");
}

// The cases below leave a name in memory for the rest of the run: each runs in a process of
// its own (see the test list).

TEST_F(SettingsFileTest, UnstorableDirectoryOfThatNameLeavesF1ForTheRun) {
    ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr));
    EnsureSettingsFile();
    EXPECT_NE(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(ReadHotkeySetting(), "F1");
    WriteHotkeySetting("F4");
    EXPECT_NE(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(ReadHotkeySetting(), "F4");
}

TEST_F(SettingsFileTest, UnstorableReadOnlyFileKeepsItsBytesAndTheChoiceServes) {
    WriteBytes(path_, "; mine\r\n[x]\r\nxx=F1\r\n");
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
    WriteHotkeySetting("F8");
    EXPECT_EQ(ReadBytes(path_), "; mine\r\n[x]\r\nxx=F1\r\n");
    EXPECT_EQ(ReadHotkeySetting(), "F8");
    // Once the file can be written again, the next choice goes into it.
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteHotkeySetting("F9");
    EXPECT_EQ(ReadBytes(path_), "; mine\r\n[x]\r\nxx=F9\r\n");
    EXPECT_EQ(ReadHotkeySetting(), "F9");
}

} // namespace
