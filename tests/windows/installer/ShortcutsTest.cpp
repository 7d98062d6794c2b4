#include "installer/Shortcuts.h"

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstring>

#include "installer/SpecialFolder.h"
#include "tests/windows/TestSupport.h"

using namespace talvek;
using test::fileExists;

namespace {

struct LinkContents {
  std::string path, workingDirectory, iconPath, description, arguments;
  int iconIndex = -1;
  int showCommand = -1;
};

constexpr size_t kShowCommandOffset = 0x3C;

// Reads a saved .lnk back through the shell-link object.
LinkContents readLink(const std::string& linkPath) {
  LinkContents contents;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return contents;
  }
  IPersistFile* file = nullptr;
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
  if (file && SUCCEEDED(file->Load(wide, STGM_READ))) {
    char text[MAX_PATH] = {};
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    contents.path = text;
    text[0] = 0;
    link->GetWorkingDirectory(text, MAX_PATH);
    contents.workingDirectory = text;
    text[0] = 0;
    link->GetIconLocation(text, MAX_PATH, &contents.iconIndex);
    contents.iconPath = text;
    text[0] = 0;
    link->GetDescription(text, MAX_PATH);
    contents.description = text;
    text[0] = 0;
    link->GetArguments(text, MAX_PATH);
    contents.arguments = text;
  }
  // Read from the file's header: Wine's shell link does not load it back.
  const std::string header = test::readFileBytes(linkPath);
  if (header.size() >= kShowCommandOffset + sizeof contents.showCommand) {
    std::memcpy(&contents.showCommand, header.data() + kShowCommandOffset, sizeof contents.showCommand);
  }
  if (file) file->Release();
  link->Release();
  return contents;
}

class ShortcutsTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }
  test::ScratchDir scratch;
};

}  // namespace

TEST_F(ShortcutsTest, SpecialFoldersEndWithABackslash) {
  for (int code : {kFolderDesktop, kFolderPrograms, kFolderStartMenu, kFolderWindows, kFolderSystem, kFolderTemp}) {
    std::string folder = specialFolder(code);
    ASSERT_FALSE(folder.empty()) << code;
    EXPECT_EQ(folder.back(), '\\') << code;
  }
  EXPECT_EQ(specialFolder(99), "");
}

TEST_F(ShortcutsTest, TheDesktopShortcutPointsAtTheProductAndIsReplacedOnReinstall) {
  const std::string target = scratch.path() + "Talvek.exe";
  const std::string linkPath = specialFolder(kFolderDesktop) + "Talvek·新神器.lnk";
  ASSERT_TRUE(test::writeFileBytes(linkPath, "stale link from an earlier install"));

  ASSERT_TRUE(createDesktopShortcut({"Talvek·新神器", target}));
  ASSERT_TRUE(fileExists(linkPath));
  LinkContents link = readLink(linkPath);
  EXPECT_EQ(link.path, target);
  EXPECT_EQ(link.workingDirectory, scratch.path());
  EXPECT_EQ(link.iconPath, target);
  EXPECT_EQ(link.iconIndex, 0);
  EXPECT_EQ(link.description, "");
  EXPECT_EQ(link.arguments, "");
  DeleteFileA(linkPath.c_str());
}

TEST_F(ShortcutsTest, ATargetWithoutDirectoryOrAFolderWithoutNameMakesNoDesktopShortcut) {
  EXPECT_FALSE(createDesktopShortcut({"TalvekNoDir", "Talvek.exe"}));
  EXPECT_FALSE(fileExists(specialFolder(kFolderDesktop) + "TalvekNoDir.lnk"));

  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(scratch.path().c_str());
  EXPECT_FALSE(createDesktopShortcut({"TalvekNoFolder", scratch.path() + "Talvek.exe"}, ""));
  SetCurrentDirectoryA(previous);
  EXPECT_FALSE(fileExists(scratch.path() + "TalvekNoFolder.lnk"));
}

TEST_F(ShortcutsTest, ShellLinksGetLnkOnlyWhenThePathHasNoDot) {
  const std::string target = scratch.path() + "Talvek.exe";
  ASSERT_TRUE(createShellLink({scratch.path() + "启动Talvek.lnk", target}));
  LinkContents link = readLink(scratch.path() + "启动Talvek.lnk");
  EXPECT_EQ(link.path, target);
  EXPECT_EQ(link.workingDirectory, "");
  EXPECT_EQ(link.showCommand, SW_SHOW);

  std::string dotless = scratch.path();
  dotless.pop_back();
  dotless += "\\nodot\\Talvek";
  CreateDirectoryA((scratch.path() + "nodot").c_str(), nullptr);
  ASSERT_TRUE(createShellLink({dotless, target}));
  EXPECT_TRUE(fileExists(dotless + ".lnk"));

  EXPECT_FALSE(createShellLink({scratch.path() + "missing\\x.lnk", target}));
}
