#include "installer/UninstallReport.h"

#include <gtest/gtest.h>

using namespace talvek;

TEST(UninstallReport, NamesWhatStayedAndWhyAndCountsBeyondAFew) {
  const std::wstring heading = L"Talvek 未能完全卸载：";
  const std::wstring closing = L"\n\n卸载信息已保留，可以稍后再次卸载。";
  EXPECT_EQ(incompleteMessage({{L"C:\\Talvek\\使用说明.txt", L"另一个程序正在使用此文件，进程无法访问。\r\n"}}),
            heading + L"\nC:\\Talvek\\使用说明.txt（另一个程序正在使用此文件，进程无法访问。）" + closing);

  std::vector<LeftItemText> many;
  for (int i = 0; i < 1234; ++i) many.push_back({L"C:\\Talvek\\f" + std::to_wstring(i), L"拒绝访问。"});
  const std::wstring message = incompleteMessage(many);
  EXPECT_NE(message.find(L"\nC:\\Talvek\\f4（拒绝访问。）\n等 1234 项" + closing), std::wstring::npos)
      << message.size();
  EXPECT_EQ(message.find(L"f5"), std::wstring::npos);
  EXPECT_LT(message.size(), 400u);
}
