#include <gtest/gtest.h>

#include "netutil/NumericOrder.h"
#include "netutil/ProtocolCommand.h"
#include "netutil/RegistryItemPath.h"

namespace talvek {
namespace {

TEST(RegistryItemPath, SplitsAtTheLastBackslash) {
  RegistryItemPath value = RegistryItemPath::split("A\\B\\name");
  EXPECT_EQ(value.key, "A\\B");
  EXPECT_EQ(value.valueName, "name");
  RegistryItemPath byDefault = RegistryItemPath::split("A\\B\\");
  EXPECT_EQ(byDefault.key, "A\\B");
  EXPECT_EQ(byDefault.valueName, "");
}

TEST(RegistryItemPath, ProtocolLayoutTexts) {
  std::vector<RegistryTextItem> items = protocolItems("Talvek", "C:\\My Apps\\c.exe");
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[0].path, "Talvek\\");
  EXPECT_EQ(items[0].text, "URL:  Talvek protocol Handler");
  EXPECT_EQ(items[1].path, "Talvek\\URL protocol");
  EXPECT_EQ(items[2].text, "C:\\My Apps\\c.exe   ");
  EXPECT_EQ(items[5].path, "Talvek\\shell\\open\\command\\");
  // Quoted, so the folder's space does not end the program's name.
  EXPECT_EQ(items[5].text, "\"C:\\My Apps\\c.exe\"  \"%1\"");
}

TEST(ProtocolCommand, HandlerIsReadFromTheQuotedAndTheEarlierUnquotedForm) {
  const std::string handler = "C:\\My Apps\\Talvek\\Auxiliary\\Beacon.exe";
  ProtocolCommand quoted = ProtocolCommand::parse(ProtocolCommand::textFor(handler));
  EXPECT_EQ(quoted.handlerPath, handler);
  EXPECT_TRUE(quoted.quoted);

  ProtocolCommand earlier = ProtocolCommand::parse(handler + "  \"%1\"");
  EXPECT_EQ(earlier.handlerPath, handler);
  EXPECT_FALSE(earlier.quoted);
  EXPECT_EQ(ProtocolCommand::parse("C:\\p.exe").handlerPath, "C:\\p.exe");

  // Nothing, or a quote never closed, names no handler.
  EXPECT_EQ(ProtocolCommand::parse("").handlerPath, "");
  EXPECT_EQ(ProtocolCommand::parse("\"C:\\p.exe  %1").handlerPath, "");
  EXPECT_EQ(ProtocolCommand::parse("\"\"  \"%1\"").handlerPath, "");
}

TEST(Autorun, ValueTextAndCodes) {
  std::string args = " -min ";
  EXPECT_EQ(autorunValueText(" C:\\a b\\p.exe ", &args), "\"C:\\a b\\p.exe\" -min");
  EXPECT_EQ(autorunValueText("p.exe", nullptr), "\"p.exe\"");
  std::string same = "\"p.exe\"";
  std::string empty;
  EXPECT_EQ(decideAutorun(nullptr, same).codeOnSuccess, kAutorunAdded);
  EXPECT_FALSE(decideAutorun(&same, same).write);
  EXPECT_EQ(decideAutorun(&same, "\"q.exe\"").codeOnSuccess, kAutorunReplaced);
  EXPECT_EQ(decideAutorun(&empty, same).codeOnSuccess, kAutorunFilledEmpty);
  EXPECT_EQ(decideAutorun(&empty, same).codeOnFailure, kAutorunWriteFailedWasEmpty);
}

TEST(NumericOrder, ReadsLeadingIntegers) {
  EXPECT_EQ(leadingInteger(" -12abc"), -12);
  EXPECT_EQ(leadingInteger("abc"), 0);
  EXPECT_EQ(leadingInteger("99999999999999999999"), 2147483647);
  EXPECT_LT(compareNumericTexts("9", "10", false), 0);
  EXPECT_GT(compareNumericTexts("9", "10", true), 0);
  EXPECT_EQ(compareNumericTexts("7", "07", false), 0);
  EXPECT_LT(compareNumericTexts("-2147483648", "2147483647", false), 0);
}

}  // namespace
}  // namespace talvek
