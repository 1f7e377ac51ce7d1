// What vellor-results.exe carries for the system: its icon in the four
// sizes, the version --version prints, and a manifest asking for per-monitor
// DPI (v2), Common Controls 6 and Windows 10 and 11.
#include "app/headless.h"
#include "app/win32/wide_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <set>
#include <string>

namespace vr::win32::test {
namespace {

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        const char* build = std::getenv("VR_BUILD_DIR");
        if (!build || !*build) GTEST_SKIP() << "VR_BUILD_DIR names no build folder";
        path = utf8ToWide(std::string(build) + "/vellor-results.exe");
        module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_TRUE(module) << "cannot load " << wideToUtf8(path);
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
    }
    std::string resource(LPCWSTR type, int id) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
        if (!found) return {};
        const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        return std::string(data, SizeofResource(module, found));
    }
    std::wstring path;
    HMODULE module = nullptr;
};

TEST_F(ProgramResources, IconVersionAndManifest) {
    // The icon group lists one image per size (a width of 0 stands for 256).
    const std::string group = resource(MAKEINTRESOURCEW(14), 1); // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6u);
    const int count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5]) << 8;
    std::set<int> sizes;
    for (int i = 0; i < count; ++i) {
        const int width = static_cast<unsigned char>(group[6 + 14 * i]);
        sizes.insert(width ? width : 256);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));

    DWORD ignored = 0;
    std::string info(GetFileVersionInfoSizeW(path.c_str(), &ignored), '\0');
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length)) return std::string();
        return wideToUtf8(std::wstring_view(text, length ? length - 1 : 0));
    };
    EXPECT_EQ(value(L"ProductName"), "Vellor Results");
    EXPECT_EQ(value(L"ProductVersion"), kVersion);
    EXPECT_EQ(value(L"FileVersion"), kVersion);
    EXPECT_FALSE(value(L"FileDescription").empty());

    const std::string manifest = resource(MAKEINTRESOURCEW(24), 1); // RT_MANIFEST
    EXPECT_NE(manifest.find(">PerMonitorV2</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
}

} // namespace
} // namespace vr::win32::test
