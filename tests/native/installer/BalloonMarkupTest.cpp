#include "installer/BalloonMarkup.h"

#include <gtest/gtest.h>

#include "installer/DirectoryPreparation.h"

using namespace talvek;

TEST(BalloonMarkup, TheErrorPrefixGivesARedLineARuleAndTheMessage) {
  auto lines = parseBalloonMarkup(std::string(message::kErrorPrefix) + "抱歉，路径不对");
  ASSERT_EQ(lines.size(), 4u);
  ASSERT_EQ(lines[0].runs.size(), 1u);
  EXPECT_EQ(lines[0].runs[0].text, "!Error：");
  EXPECT_EQ(lines[0].runs[0].color, 0xFF0000u);
  EXPECT_TRUE(lines[1].isRule);
  EXPECT_EQ(lines[1].ruleColor, 0xFF8800u);
  EXPECT_TRUE(lines[2].runs.empty());  // the <br> after the rule
  ASSERT_EQ(lines[3].runs.size(), 1u);
  EXPECT_EQ(lines[3].runs[0].text, "抱歉，路径不对");
  EXPECT_EQ(lines[3].runs[0].color, kBalloonTextColor);
}

TEST(BalloonMarkup, BreaksAndAngleBracketsInText) {
  auto lines = parseBalloonMarkup("a<br>b>c<BR/>x<unknown attr=1>y<font color='#00ff00'>g</font>z");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].runs[0].text, "a");
  EXPECT_EQ(lines[1].runs[0].text, "b>c");
  ASSERT_EQ(lines[2].runs.size(), 3u);
  EXPECT_EQ(lines[2].runs[0].text, "xy");
  EXPECT_EQ(lines[2].runs[1].color, 0x00FF00u);
  EXPECT_EQ(lines[2].runs[2].text, "z");
}

TEST(BalloonMarkup, MalformedMarkupStaysText) {
  auto lines = parseBalloonMarkup("<font color=#12>bad colour</font></font>tail <never closed");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].runs[0].color, kBalloonTextColor);
  EXPECT_EQ(lines[0].runs.back().text.substr(lines[0].runs.back().text.size() - 13), "<never closed");
  EXPECT_EQ(parseBalloonMarkup("").size(), 1u);
}
