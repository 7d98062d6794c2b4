#include "toolkit/core/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace talvek {
namespace {

// The host's C library prints and reads correctly rounded: it is the
// reference the product's own formatter and reader are held to.
std::string printed(const char* format, double value) {
  char text[1200];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Values where rounding is decided: exact ties at every place, carries
// through nines, both ends of the double range, whole floats past 2^53.
std::vector<double> hardValues() {
  std::vector<double> values = {0.5,    1.5,     2.5,      0.125,   0.375,    12.125,  12.135f, 99.995,
                                99.995f, 9.9999995, 999999999.5, 1234567885, 0.00001, 0.0001, 0.000123456789,
                                1e15,    1e16,    123456789012345678.0, 5e-324, 2.2250738585072014e-308,
                                std::numeric_limits<double>::max(), 1e22, 1e23, 3.4028234663852886e38, 1e-45f,
                                100,     0.1,     0.2f,     1e9,     999999999, 1e-5, 9.5, 0.05};
  std::mt19937_64 random(20261209);
  for (int i = 0; i < 4000; ++i) {
    std::uint64_t bits = random();
    double any;
    std::memcpy(&any, &bits, sizeof any);
    if (std::isfinite(any)) values.push_back(any);
    values.push_back(static_cast<float>(std::uniform_real_distribution<double>(-1000, 1000)(random)));
    values.push_back(std::round(std::uniform_real_distribution<double>(0, 1e6)(random)) / 8);
  }
  return values;
}

TEST(NumberText, PrintsExactlyWhatTheCLibraryPrints) {
  for (double value : hardValues()) {
    for (double signedValue : {value, -value}) {
      for (int decimals : {0, 2, 6}) {
        const std::string format = "%." + std::to_string(decimals) + "f";
        ASSERT_EQ(fixedText(signedValue, decimals), printed(format.c_str(), signedValue)) << format << " of " << signedValue;
      }
      ASSERT_EQ(generalText(signedValue, 9), printed("%.9g", signedValue)) << signedValue;
      ASSERT_EQ(generalText(signedValue, 3), printed("%.3g", signedValue)) << signedValue;
    }
  }
}

TEST(NumberText, NamesWhatIsNoNumberAndKeepsTheSignOfZero) {
  EXPECT_EQ(fixedText(std::numeric_limits<double>::infinity(), 0), "inf");
  EXPECT_EQ(generalText(-std::numeric_limits<double>::infinity(), 9), "-inf");
  EXPECT_EQ(fixedText(std::nan(""), 2), "nan");
  EXPECT_EQ(fixedText(-0.0, 0), "-0");
  EXPECT_EQ(generalText(-0.0, 9), "-0");
  EXPECT_EQ(fixedText(-0.001, 2), "-0.00");
}

TEST(NumberText, PadsCountersAndCodes) {
  EXPECT_EQ(paddedDecimal(42, 8), "      42");
  EXPECT_EQ(paddedDecimal(7, 2, '0'), "07");
  EXPECT_EQ(paddedDecimal(123456789, 5), "123456789");
  EXPECT_EQ(paddedDecimal(0), "0");
  EXPECT_EQ(hexDigits(0x80070005u, 8), "80070005");
  EXPECT_EQ(hexDigits(0xabcu, 8), "00000ABC");
  EXPECT_EQ(hexDigits(0xFFFFFFFFu, 8), "FFFFFFFF");
}

TEST(NumberText, ReadsWhatStrtodReadsAndStopsWhereItStops) {
  const char* texts[] = {"12.5",  "  -3",     "+0.25e2xyz", "1e",          "1e+",       ".5",       "5.",
                         "1.5E-3",   "00012",      "-.e3",        ".",         "",         "abc",
                         "1e400", "-1e400",   "1e-400",     "123456789012345678901234567890", "0.000000000000000000000000000001234",
                         "3.4028234663852886e38", "1.17549435e-38", "\t\n 7", "9007199254740993", "2.2250738585072014e-308"};
  for (const char* text : texts) {
    char* expectedEnd = nullptr;
    const double expected = std::strtod(text, &expectedEnd);
    const char* end = nullptr;
    const double read = readDecimal(text, &end);
    EXPECT_EQ(end - text, expectedEnd - text) << '"' << text << '"';
    if (std::isinf(expected)) EXPECT_EQ(read, expected) << text;
    else EXPECT_NEAR(read, expected, std::fabs(expected) * 1e-15) << text;
  }
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    const float value = std::uniform_real_distribution<float>(-1e6f, 1e6f)(random);
    const std::string text = printed("%.9g", value);
    const char* end = nullptr;
    ASSERT_EQ(static_cast<float>(readDecimal(text.c_str(), &end)), value) << text;
  }
}

TEST(NumberText, ReadsTheWordsForInfinityAndNotANumber) {
  const char* end = nullptr;
  EXPECT_EQ(readDecimal("-Infinity!", &end), -std::numeric_limits<double>::infinity());
  EXPECT_STREQ(end, "!");
  EXPECT_TRUE(std::isnan(readDecimal("NaN", &end)));
  EXPECT_EQ(readDecimal("infinite", &end), std::numeric_limits<double>::infinity());
  EXPECT_STREQ(end, "inite");
  // Decimal only: a hexadecimal number reads as its leading zero.
  EXPECT_EQ(readDecimal("0x10", &end), 0.0);
  EXPECT_STREQ(end, "x10");
}

}  // namespace
}  // namespace talvek
