#include "core/settings/ValueText.h"

#include <gtest/gtest.h>

#include "core/trace/FunStatus.h"
#include "core/calendar/StockColors.h"

TEST(ValueTextTest, IntegerTextRule) {
  const struct {
    const char* Text;
    int32_t Value;
  } readable[] = {{"12", 12},          {"  -7", -7},        {"\t+5", 5},
                  {"$1F", 31},         {"x1f", 31},         {"0X10", 16},
                  {"-$10", -16},       {"007", 7},          {"2147483647", INT32_MAX},
                  {"-2147483648", INT32_MIN}, {"$FFFFFFFF", -1}, {"0x80000000", INT32_MIN}};
  for (const auto& c : readable) {
    int32_t value = 0;
    EXPECT_TRUE(TryTextToInt(c.Text, value)) << c.Text;
    EXPECT_EQ(value, c.Value) << c.Text;
  }
  for (const char* text : {"", " ", "12 ", "2147483648", "-2147483649", "$100000000", "0x", "$",
                           "1e3", "abc", "--1", "1,000", "99999999999999999999", "0x-1"}) {
    int32_t value = 42;
    EXPECT_FALSE(TryTextToInt(text, value)) << text;
    EXPECT_EQ(value, 42) << text;
  }
}

TEST(ValueTextTest, OnlyExactTrueIsTrue) {
  EXPECT_EQ(BoolToText(true), "TRUE");
  EXPECT_EQ(BoolToText(false), "FALSE");
  EXPECT_TRUE(TextToBool("TRUE"));
  for (const char* text : {"true", "1", "True", "TRUE ", "", "yes"}) EXPECT_FALSE(TextToBool(text));
}

TEST(ValueTextTest, RealsInShortestFormWithTheSeparator) {
  EXPECT_EQ(RealToText(0.7, '.'), "0.7");
  EXPECT_EQ(RealToText(45000.5, ','), "45000,5");
  EXPECT_EQ(RealToText(0.1 + 0.2, '.'), "0.3");
  EXPECT_EQ(RealToText(1e20, '.'), "1E20");
  EXPECT_EQ(RealToText(-1.5e-7, '.'), "-1.5E-7");
  EXPECT_EQ(RealToText(0, '.'), "0");

  double value = 0;
  EXPECT_TRUE(TryTextToReal("0,25", ',', value));
  EXPECT_DOUBLE_EQ(value, 0.25);
  EXPECT_TRUE(TryTextToReal(" 0.5 ", ',', value));
  EXPECT_DOUBLE_EQ(value, 0.5);
  EXPECT_TRUE(TryTextToReal("-1E-10", '.', value));
  EXPECT_DOUBLE_EQ(value, -1e-10);
  value = 9;
  for (const char* text : {"", ".", "1,5", "1.2.3", "inf", "nan", "1e999", "0x10", "1e", "+-1", "5 kg"})
    EXPECT_FALSE(TryTextToReal(text, '.', value)) << text;
  EXPECT_EQ(value, 9);

  for (double original : {45123.456789012, 0.15, -3.0, 1e-300, 123456789012345.0}) {
    double back = 0;
    ASSERT_TRUE(TryTextToReal(RealToText(original, ','), ',', back));
    EXPECT_DOUBLE_EQ(back, original);
  }
}

TEST(ValueTextTest, ColourRuleOrderAndFailure) {
  EXPECT_EQ(TextToColor("clRed"), 0x0000FFu);
  EXPECT_EQ(TextToColor("CLBLUE"), 0xFF0000u);
  EXPECT_EQ(TextToColor("clInfoBk"), 0x80000018u);
  EXPECT_EQ(TextToColor("clScrollBar"), 0x80000000u);
  EXPECT_EQ(TextToColor("TEAL"), RgbColor(0, 130, 130));
  EXPECT_EQ(TextToColor("255"), 0xFFu);
  EXPECT_EQ(TextToColor("$FF0000"), 0xFF0000u);
  EXPECT_EQ(ColorToText(0x80000005u), "-2147483643");
  EXPECT_EQ(TextToColor(ColorToText(0x80000005u)), 0x80000005u);

  uint32_t color = 3;
  for (const char* text : {"", "clNope", "Teal ", "12abc", "Tealx"}) {
    EXPECT_FALSE(TryTextToColor(text, color)) << text;
    EXPECT_THROW(TextToColor(text), EColorConversionError) << text;
  }
  EXPECT_EQ(color, 3u);
  try {
    TextToColor("Mauve");
    ADD_FAILURE() << "no exception";
  } catch (const EColorConversionError& e) {
    EXPECT_STREQ(e.what(), "\"Mauve\" is not a valid color value.");
  }
}

TEST(ValueTextTest, CheckedIntegersRecordOnlyUnreadableText) {
  int32_t value = 0;
  EXPECT_FALSE(CheckIntFromText("abc", 0, 50, value, 20));
  EXPECT_EQ(value, 20);
  EXPECT_EQ(FunStatContext.Status, Error);
  EXPECT_EQ(FunStatContext.Function, "CheckIntFromText");
  EXPECT_EQ(FunStatContext.Parameter1, "abc");

  EXPECT_FALSE(CheckIntFromText("101", 0, 100, value, 7));
  EXPECT_EQ(value, 7);
  EXPECT_EQ(FunStatContext.Status, Perfect);
  EXPECT_TRUE(CheckIntFromText("", 0, 100, value, 9));
  EXPECT_EQ(value, 9);
  EXPECT_TRUE(CheckIntFromText(" 0x10", 0, 100, value, 9));
  EXPECT_EQ(value, 16);
  EXPECT_TRUE(CheckIntFromText("100", 0, 100, value, 9));  // both limits belong to the range
  EXPECT_EQ(value, 100);
  EXPECT_TRUE(CheckIntFromText("0", 0, 100, value, 9));
  EXPECT_EQ(value, 0);

  EXPECT_EQ(GetIntFromText("x", 0, 100, 5), 5);
  EXPECT_EQ(FunStatContext.Function, "GetIntFromText");
  EXPECT_EQ(GetIntFromText("-1", 0, 100, 5), 5);
  EXPECT_EQ(FunStatContext.Status, Perfect);
  EXPECT_EQ(GetIntFromTextAnyValue("-2147483648"), INT32_MIN);
  EXPECT_EQ(GetIntFromTextAnyValue("junk"), 0);
}
