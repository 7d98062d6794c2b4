#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "netutil/RegistryItems.h"
#include "netutil/SystemIntegration.h"
#include "tests/windows/TestSupport.h"

namespace talvek {
namespace {

// Reads a value straight from the registry, independent of the code under test.
std::string storedText(HKEY root, const std::string& key, const char* name, bool* found = nullptr) {
  char buffer[1024] = {};
  DWORD size = sizeof(buffer) - 1;
  DWORD type = 0;
  HKEY opened = nullptr;
  bool ok = RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS &&
            RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                             &size) == ERROR_SUCCESS;
  if (opened) RegCloseKey(opened);
  if (found) *found = ok && type == REG_SZ;
  return ok ? std::string(buffer) : std::string();
}

bool keyExists(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

// A protocol name of this test run, removed from every root afterwards.
class ProtocolFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    for (HKEY root :
         {HKEY_CLASSES_ROOT, HKEY_CURRENT_CONFIG, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      RegDeleteTreeA(root, name_.c_str());
    }
  }
  const std::string name_ = "TalvekTest" + std::to_string(GetCurrentProcessId());
  std::string quotedCommand() const { return "\"" + handler_ + "\"  \"%1\""; }
  const std::string handler_ = "C:\\Program Files\\Talvek\\TalvekComm.exe";
  SystemIntegration integration_;
};

TEST_F(ProtocolFixture, RegisterWritesTheLayoutUnderTheClassesRoot) {
  EXPECT_TRUE(integration_.registerProtocol(name_, handler_, 1));
  bool found = false;
  EXPECT_EQ(storedText(HKEY_CLASSES_ROOT, name_, "", &found),
            "URL:  " + name_ + " protocol Handler");
  EXPECT_TRUE(found);
  EXPECT_EQ(storedText(HKEY_CLASSES_ROOT, name_, "URL protocol", &found), "");
  EXPECT_TRUE(found);
  EXPECT_EQ(storedText(HKEY_CLASSES_ROOT, name_ + "\\DefaultIcon", ""), handler_ + "   ");
  EXPECT_EQ(storedText(HKEY_CLASSES_ROOT, name_ + "\\shell", "", &found), "");
  EXPECT_TRUE(found);
  EXPECT_EQ(storedText(HKEY_CLASSES_ROOT, name_ + "\\shell\\open", "", &found), "");
  EXPECT_TRUE(found);
  EXPECT_EQ(storedText(HKEY_CLASSES_ROOT, name_ + "\\shell\\open\\command", ""), quotedCommand());

  EXPECT_TRUE(integration_.isProtocolRegistered(name_, 1));
  EXPECT_FALSE(integration_.isProtocolRegistered(name_, 2));
  EXPECT_EQ(integration_.readProtocolCommand(name_, 1), quotedCommand());
  EXPECT_EQ(integration_.readProtocolCommand(name_, 2), "");
}

TEST_F(ProtocolFixture, RootCodesChooseTheHiveAndUnknownCodesMeanTheCurrentUser) {
  EXPECT_TRUE(integration_.registerProtocol(name_, handler_, 2));
  EXPECT_EQ(storedText(HKEY_CURRENT_CONFIG, name_ + "\\shell\\open\\command", ""), quotedCommand());
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, name_));

  EXPECT_TRUE(integration_.registerProtocol(name_, handler_, 9));
  EXPECT_EQ(storedText(HKEY_CURRENT_USER, name_ + "\\shell\\open\\command", ""), quotedCommand());
  EXPECT_TRUE(integration_.isProtocolRegistered(name_, 3));
  EXPECT_TRUE(integration_.isProtocolRegistered(name_, -1));
}

TEST_F(ProtocolFixture, UnregisterLeavesTheCurrentConfigItems) {
  for (int root : {1, 2, 3, 4}) ASSERT_TRUE(integration_.registerProtocol(name_, handler_, root));
  integration_.unregisterProtocol(name_);
  EXPECT_FALSE(integration_.isProtocolRegistered(name_, 1));
  EXPECT_FALSE(integration_.isProtocolRegistered(name_, 3));
  EXPECT_FALSE(integration_.isProtocolRegistered(name_, 4));
  EXPECT_TRUE(integration_.isProtocolRegistered(name_, 2));
  EXPECT_EQ(storedText(HKEY_CURRENT_CONFIG, name_, ""), "URL:  " + name_ + " protocol Handler");
}

TEST_F(ProtocolFixture, EmptyNameNeverTouchesTheRoot) {
  EXPECT_FALSE(integration_.registerProtocol("", handler_, 3));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "shell\\open\\command"));
  integration_.unregisterProtocol("");
  EXPECT_FALSE(integration_.isProtocolRegistered("", 3));
}

TEST_F(ProtocolFixture, RegistryPrimitivesReadExpandAndDelete) {
  const std::string item = name_ + "\\Sub\\value";
  EXPECT_FALSE(RegistryItems::exists(3, item));
  EXPECT_TRUE(RegistryItems::writeText(3, item, "text"));
  EXPECT_TRUE(RegistryItems::exists(3, item));
  EXPECT_EQ(RegistryItems::readText(3, item), "text");

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (name_ + "\\Sub").c_str(), 0, KEY_WRITE, &key),
            ERROR_SUCCESS);
  const char expandable[] = "%SystemRoot%\\x";
  RegSetValueExA(key, "expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expandable),
                 sizeof(expandable));
  DWORD number = 7;
  RegSetValueExA(key, "number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof(number));
  RegCloseKey(key);
  std::string expanded = RegistryItems::readText(3, name_ + "\\Sub\\expand");
  EXPECT_EQ(expanded.find('%'), std::string::npos);
  EXPECT_EQ(expanded.substr(expanded.size() - 2), "\\x");
  EXPECT_EQ(RegistryItems::readText(3, name_ + "\\Sub\\number"), "");

  EXPECT_TRUE(RegistryItems::remove(3, item));
  EXPECT_FALSE(RegistryItems::exists(3, item));
  // Value gone: the key at the full path is tried instead, and it has none.
  EXPECT_FALSE(RegistryItems::remove(3, item));
  RegistryItems::writeText(3, name_ + "\\Leaf\\", "x");
  EXPECT_TRUE(RegistryItems::remove(3, name_ + "\\Leaf\\"));
  EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, name_ + "\\Leaf"));
  EXPECT_TRUE(RegistryItems::remove(3, name_ + "\\Leaf\\"));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, name_ + "\\Leaf"));
}

TEST_F(ProtocolFixture, MessengerChatOpensTheChatLinkThroughTheRegisteredProtocol) {
  test::ScratchDir scratch;
  const std::string record = scratch.path() + "link.txt";
  SetEnvironmentVariableA("TALVEK_LINK_RECORD", record.c_str());
  ASSERT_TRUE(integration_.registerProtocol(name_, test::testDataDir() + "link_recorder.exe", 1));
  ServiceEndpoints endpoints = ServiceEndpoints::standard();
  endpoints.messengerScheme = name_;
  SystemIntegration(endpoints).openMessengerChat("12345");
  ASSERT_TRUE(test::waitUntil([&] { return !test::readFileBytes(record).empty(); }, 20000));
  EXPECT_NE(test::readFileBytes(record).find(name_ + "://Message/?Uin=12345"), std::string::npos)
      << test::readFileBytes(record);
  SetEnvironmentVariableA("TALVEK_LINK_RECORD", nullptr);
}

TEST_F(ProtocolFixture, ALinkStartsTheHandlerInAFolderWithSpacesNotAProgramBeforeTheSpace) {
  test::ScratchDir scratch;
  const std::string record = scratch.path() + "link.txt";
  const std::string recorder = test::testDataDir() + "link_recorder.exe";
  const std::string handler = scratch.path() + "Talvek Product\\link_recorder.exe";
  CreateDirectoryA((scratch.path() + "Talvek Product").c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(recorder.c_str(), handler.c_str(), FALSE));
  // Where Windows looks first when the command's path is not quoted.
  ASSERT_TRUE(CopyFileA(recorder.c_str(), (scratch.path() + "Talvek.exe").c_str(), FALSE));
  SetEnvironmentVariableA("TALVEK_LINK_RECORD", record.c_str());
  ASSERT_TRUE(integration_.registerProtocol(name_, handler, 1));

  ShellExecuteA(nullptr, "open", (name_ + "://play/1").c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  ASSERT_TRUE(test::waitUntil([&] { return !test::readFileBytes(record).empty(); }, 20000));
  const std::string recorded = test::readFileBytes(record);
  EXPECT_EQ(recorded.substr(0, recorded.find('|')), handler) << recorded;
  EXPECT_NE(recorded.find(name_ + "://play/1"), std::string::npos) << recorded;
  SetEnvironmentVariableA("TALVEK_LINK_RECORD", nullptr);
  // The scratch folder goes only once the handler has ended.
  test::waitUntil([&] { return DeleteFileA(handler.c_str()) != 0; }, 10000);
}

class AutorunFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (key) RegCloseKey(key);
  }
  void TearDown() override { integration_.removeAutorun(name_); }
  static constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  const std::string name_ = "TalvekAutorunTest" + std::to_string(GetCurrentProcessId());
  SystemIntegration integration_;
};

TEST_F(AutorunFixture, CodesTellAddedUnchangedReplacedAndFilled) {
  const std::string program = " C:\\Program Files\\Talvek\\Talvek.exe ";
  EXPECT_EQ(integration_.setAutorun(program, std::nullopt, name_), 1);
  EXPECT_EQ(storedText(HKEY_LOCAL_MACHINE, kRunKey, name_.c_str()),
            "\"C:\\Program Files\\Talvek\\Talvek.exe\"");
  EXPECT_EQ(integration_.setAutorun(program, std::nullopt, name_), 0);
  EXPECT_EQ(integration_.setAutorun(program, std::string(" -tray "), name_), 2);
  EXPECT_EQ(storedText(HKEY_LOCAL_MACHINE, kRunKey, name_.c_str()),
            "\"C:\\Program Files\\Talvek\\Talvek.exe\" -tray");

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
  RegSetValueExA(key, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
  RegCloseKey(key);
  EXPECT_EQ(integration_.setAutorun(program, std::nullopt, name_), 3);

  EXPECT_EQ(integration_.removeAutorun(name_), 0);
  EXPECT_EQ(integration_.removeAutorun(name_), -1);
}

}  // namespace
}  // namespace talvek
