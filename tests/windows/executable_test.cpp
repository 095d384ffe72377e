// What harnlo.exe carries: its manifest, its icon (14 images) and its version information.
#include <windows.h>

#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

class ExecutableTest : public testing::Test {
protected:
    void SetUp() override {
        path_ = TestProgramFolder() + "harnlo.exe";
        module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << path_;
    }
    void TearDown() override { FreeLibrary(module_); }

    std::string Resource(LPCSTR type, LPCSTR name) {
        HRSRC found = FindResourceA(module_, name, type);
        if (found == nullptr) {
            return {};
        }
        auto bytes = static_cast<const char*>(LockResource(LoadResource(module_, found)));
        return std::string(bytes, SizeofResource(module_, found));
    }

    std::string path_;
    HMODULE module_ = nullptr;
};

TEST_F(ExecutableTest, ManifestAsksForAdministratorAndCommonControlsSix) {
    std::string manifest = Resource(RT_MANIFEST, MAKEINTRESOURCEA(1));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
}

TEST_F(ExecutableTest, IconGroupHoldsFourteenImagesInOrder) {
    std::string group = Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(1));
    ASSERT_GE(group.size(), sizeof(GroupIconHeader));
    auto header = reinterpret_cast<const GroupIconHeader*>(group.data());
    ASSERT_EQ(header->count, 14);
    ASSERT_EQ(group.size(), sizeof(GroupIconHeader) + 14 * sizeof(GroupIconEntry));
    auto entries = reinterpret_cast<const GroupIconEntry*>(group.data() + sizeof(GroupIconHeader));
    const int sizes[] = {256, 128, 64, 48, 32, 24, 16};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(entries[i].width == 0 ? 256 : entries[i].width, sizes[i % 7]) << i;
        EXPECT_EQ(entries[i].bitCount, i < 7 ? 32 : 8) << i;
    }
    // The icon the program shows in the notification area comes from the same file.
    std::string trayIcon = Resource(RT_RCDATA, MAKEINTRESOURCEA(101));
    ASSERT_GE(trayIcon.size(), 6u);
    EXPECT_EQ(reinterpret_cast<const GroupIconHeader*>(trayIcon.data())->count, 14);
}

TEST_F(ExecutableTest, CarriesVersionInformation) {
    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeA(path_.c_str(), &unused);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path_.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1);
    char* name = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\080403a8\\ProductName",
                               reinterpret_cast<void**>(&name), &length));
    EXPECT_STREQ(name, "Harnlo");
}

TEST_F(ExecutableTest, NeedsOnlySystemLibraries) {
    auto base = reinterpret_cast<const BYTE*>(
        LoadLibraryExA(path_.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    ASSERT_NE(base, nullptr);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto descriptor =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    const std::string system[] = {"kernel32.dll", "user32.dll",   "gdi32.dll",    "shell32.dll",
                                  "ole32.dll",    "oleaut32.dll", "advapi32.dll", "msvcrt.dll"};
    int count = 0;
    for (; descriptor->Name != 0; ++descriptor, ++count) {
        std::string dll = reinterpret_cast<const char*>(base + descriptor->Name);
        CharLowerA(dll.data());
        EXPECT_NE(std::find(std::begin(system), std::end(system), dll), std::end(system)) << dll;
    }
    EXPECT_GT(count, 0);
    FreeLibrary(reinterpret_cast<HMODULE>(const_cast<BYTE*>(base)));
}

} // namespace
