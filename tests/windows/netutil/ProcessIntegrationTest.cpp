#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "netutil/ProcessElevation.h"
#include "netutil/SystemIntegration.h"
#include "netutil/TaskbarPin.h"
#include "tests/windows/TestSupport.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

TEST(ProcessIntegration, ProgramRunningFollowsTheMutexNamedAfterThisProgram) {
  SystemIntegration integration;
  EXPECT_FALSE(integration.isProgramRunning());
  {
    Handle mutex(CreateMutexA(nullptr, FALSE, "win_tests.exe"));
    ASSERT_TRUE(mutex);
    EXPECT_TRUE(integration.isProgramRunning());
  }
  // The check itself must not keep the mutex alive.
  EXPECT_FALSE(integration.isProgramRunning());
}

TEST(ProcessIntegration, RunElevatedWithoutPathStartsThisProgramWithTheParameters) {
  test::ScratchDir scratch;
  const std::string report = scratch.path() + "child.xml";
  SystemIntegration integration;
  // The child runs no test and only writes its (empty) report where told.
  EXPECT_TRUE(integration.runElevated(std::nullopt,
                                      "--gtest_filter=NoTestHasThisName "
                                      "--gtest_output=xml:" +
                                          report));
  EXPECT_TRUE(test::waitUntil([&] { return test::fileExists(report); }, 20000));
  // Let the child finish writing before the scratch directory goes.
  test::waitUntil([] { return false; }, 500);
}

TEST(ProcessIntegration, PinToTaskbarWithoutThePinVerbChangesNothing) {
  test::ScratchDir scratch;
  const std::string file = scratch.path() + "pinned.exe";
  ASSERT_TRUE(test::writeFileBytes(file, "MZ"));
  SystemIntegration integration;
  integration.pinToTaskbar(scratch.path(), "pinned.exe");
  integration.pinToTaskbar(scratch.path() + "missing\\", "pinned.exe");
  integration.pinToTaskbar(scratch.path(), "missing.exe");
  EXPECT_TRUE(test::fileExists(file));
  EXPECT_EQ(test::readFileBytes(file), "MZ");

  // Listing a file's verbs crashes Wine's shell after some of the other
  // tests, so only the walk's refusals are checked here.
  EXPECT_EQ(TaskbarPin::invokeVerb(scratch.path(), "missing.txt", L"No such verb"), -1);
  EXPECT_EQ(TaskbarPin::invokeVerb(scratch.path(), "pinned.exe", L""), -1);
}

TEST(ProcessIntegration, AdminTestAgreesWithTheTokensGroups) {
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  ASSERT_TRUE(AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                       DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators));
  BOOL member = FALSE;
  const BOOL checked = CheckTokenMembership(nullptr, administrators, &member);
  FreeSid(administrators);
  ASSERT_TRUE(checked);
  EXPECT_EQ(SystemIntegration().isUserAdmin(), member == TRUE);
}

// A report-style list view with two columns; row i's item data is 100 + i.
class ListViewFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    view_.reset(CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 300, 200, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(view_);
    for (int column = 0; column < 2; ++column) {
      LVCOLUMNA info{};
      info.mask = LVCF_WIDTH;
      info.cx = 100;
      SendMessageA(view_.get(), LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
    }
    const char* numbers[] = {"10", "9", "100", "-5", "abc", "9"};
    for (int row = 0; row < 6; ++row) {
      std::string name = "row" + std::to_string(row);
      LVITEMA item{};
      item.mask = LVIF_TEXT | LVIF_PARAM;
      item.iItem = row;
      item.pszText = name.data();
      item.lParam = 100 + row;
      SendMessageA(view_.get(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      LVITEMA cell{};
      cell.iSubItem = 1;
      cell.pszText = const_cast<char*>(numbers[row]);
      SendMessageA(view_.get(), LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    }
  }

  std::vector<std::string> column(int index) const {
    std::vector<std::string> texts;
    int count = static_cast<int>(SendMessageA(view_.get(), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
      char buffer[64] = {};
      LVITEMA item{};
      item.iSubItem = index;
      item.pszText = buffer;
      item.cchTextMax = sizeof(buffer);
      SendMessageA(view_.get(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
      texts.push_back(buffer);
    }
    return texts;
  }

  // Each row's item data must still be the one it was given.
  void expectItemDataKept() const {
    std::vector<std::string> names = column(0);
    for (int row = 0; row < static_cast<int>(names.size()); ++row) {
      LVITEMA item{};
      item.mask = LVIF_PARAM;
      item.iItem = row;
      SendMessageA(view_.get(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      EXPECT_EQ("row" + std::to_string(item.lParam - 100), names[static_cast<size_t>(row)]);
    }
  }

  Window view_;
  SystemIntegration integration_;
};

TEST_F(ListViewFixture, SortsAscendingAndDescendingByNumberAndKeepsItemData) {
  integration_.sortListViewNumeric(view_.get(), 1, false);
  EXPECT_EQ(column(1), (std::vector<std::string>{"-5", "abc", "9", "9", "10", "100"}));
  expectItemDataKept();
  integration_.sortListViewNumeric(view_.get(), 1, true);
  EXPECT_EQ(column(1), (std::vector<std::string>{"100", "10", "9", "9", "abc", "-5"}));
  expectItemDataKept();
}

TEST(ProcessIntegration, ShortCodeAndCloneThroughTheObject) {
  SystemIntegration integration;
  EXPECT_EQ(integration.shortCodeOf("http://share.example/s/1aBcDe/"), "1aBcDe");
  EXPECT_EQ(integration.shortCodeOf("http://share.example/s/1aBcDeF/"), "");
  std::unique_ptr<SystemIntegration> copy = integration.clone();
  copy->release();
  EXPECT_EQ(copy->endpoints().callBackService, integration.endpoints().callBackService);
}

}  // namespace
}  // namespace talvek
