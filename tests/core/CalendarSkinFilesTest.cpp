#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "core/calendar/CalendarSkinFiles.h"
#include "core/trace/FunStatus.h"
#include "core/calendar/SkinParameters.h"

namespace {

const std::vector<std::string> kFonts{"Arial", "Courier New", "Verdana"};

// An INI section in memory; keys compare without regard to case.
struct TMemorySection {
  std::map<std::string, std::string> Values;
  std::vector<std::string> Asked;
  std::vector<std::string> Written;

  static std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
  }
  TSkinValueGetter Getter() {
    return [this](const std::string& section, const std::string& key, const std::string& fallback) {
      EXPECT_EQ(section, "CalendarSkin");
      Asked.push_back(key);
      const auto found = Values.find(Lower(key));
      return found == Values.end() ? fallback : found->second;
    };
  }
  TSkinValueSetter Setter() {
    return [this](const std::string& section, const std::string& key, const std::string& value) {
      EXPECT_EQ(section, "CalendarSkin");
      Written.push_back(key);
      Values[Lower(key)] = value;
    };
  }
  void Set(const std::string& key, const std::string& value) { Values[Lower(key)] = value; }
};

// Stock names and integers; anything else fails.
bool ParseColor(const std::string& text, uint32_t& color) {
  if (TMemorySection::Lower(text) == "red") return color = 0x0000FF, true;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0') return false;
  color = static_cast<uint32_t>(value);
  return true;
}

// A skin where every value differs from the default one.
TCalendarSkin ChangedSkin() {
  TCalendarSkin skin = DefaultCalendarSkin(kFonts);
  uint32_t color = 0x010203;
  for (const TSkinParameter& p : SkinParameters()) {
    if (p.Kind == TSkinParameterKind::Bool)
      skin.*p.BoolValue = !(skin.*p.BoolValue);
    else if (p.Kind == TSkinParameterKind::Color)
      skin.*p.ColorValue = color += 0x010101;
    else {
      const std::vector<std::string>& items = SkinParameterItems(p, kFonts);
      SetSkinListValue(skin, p, items.back() == p.DefaultText ? items.front() : items.back());
    }
  }
  return skin;
}

std::vector<std::string> AllValues(const TCalendarSkin& skin) {
  std::vector<std::string> values;
  for (const TSkinParameter& p : SkinParameters()) values.push_back(SkinValueText(skin, p));
  return values;
}

TEST(CalendarSkinFilesTest, TableHasEveryKeyOnceWithItsDefaultListed) {
  const std::vector<TSkinParameter>& table = SkinParameters();
  ASSERT_EQ(table.size(), 91u);
  EXPECT_STREQ(table.front().Key, "TextEffect");
  EXPECT_STREQ(table[68].Key, "DaysVSS");
  EXPECT_STREQ(table[69].Key, "TextShadowColor");
  EXPECT_STREQ(table.back().Key, "OtherMonthsWeekendTextColor");
  std::set<std::string> keys, controls;
  for (size_t i = 0; i < table.size(); ++i) {
    const TSkinParameter& p = table[i];
    keys.insert(p.Key);
    controls.insert(p.ControlName);
    EXPECT_EQ(p.Kind == TSkinParameterKind::Color, i >= 69) << p.Key;
    if (p.IsList() && p.Kind != TSkinParameterKind::FontName)
      EXPECT_EQ(SelectListItem(*p.Items, p.DefaultText), p.DefaultText) << p.Key;
  }
  EXPECT_EQ(keys.size(), 91u);
  EXPECT_EQ(controls.size(), 91u);
  // Every member is some row's: a skin changed through the table differs everywhere.
  const std::vector<std::string> changed = AllValues(ChangedSkin());
  const std::vector<std::string> defaults = AllValues(DefaultCalendarSkin(kFonts));
  for (size_t i = 0; i < table.size(); ++i) EXPECT_NE(changed[i], defaults[i]) << table[i].Key;
}

TEST(CalendarSkinFilesTest, DefaultSkinTakesTheTableDefaultsAndTheFirstFontWithoutArial) {
  TCalendarSkin skin = DefaultCalendarSkin(kFonts);
  EXPECT_EQ(skin.TextEffect, "Outline");
  EXPECT_EQ(skin.YearTextFont, "Arial");
  EXPECT_EQ(skin.YearVSS, -1);
  EXPECT_EQ(skin.FrameBackThick67, 20);
  EXPECT_EQ(skin.FrameCenterTranslucency, 50);
  EXPECT_TRUE(skin.FirstDayIsMonday);
  EXPECT_FALSE(skin.OvalBack);
  EXPECT_EQ(skin.OtherMonthsWeekendTextColor, 4276610u);
  skin = DefaultCalendarSkin({"Tahoma", "Verdana"});
  EXPECT_EQ(skin.DaysTextFont, "Tahoma");
  EXPECT_EQ(DefaultCalendarSkin({"Wingdings", "ARIAL"}).MonthTextFont, "ARIAL");
}

TEST(CalendarSkinFilesTest, WriteThenReadReproducesEveryValue) {
  TMemorySection section;
  TCalendarSkin changed = ChangedSkin();
  changed.FrameCenterColor = 0x80000005u;  // a system colour
  ASSERT_TRUE(WriteCalendarSkin(section.Setter(), changed));
  EXPECT_EQ(section.Values["framecentercolor"], "-2147483643");
  ASSERT_EQ(section.Written.size(), 91u);
  EXPECT_EQ(section.Written[27], "FrameCenterTranslucency");
  EXPECT_EQ(section.Values["framebackthick67"], "99");
  EXPECT_EQ(section.Values["monthitalictext"], "TRUE");
  EXPECT_EQ(section.Values["yearhss"], "5");
  EXPECT_EQ(section.Values["texteffect"], "None");

  TCalendarSkin read = DefaultCalendarSkin(kFonts);
  ASSERT_TRUE(ReadCalendarSkin(section.Getter(), ParseColor, kFonts, true, read, {}));
  EXPECT_EQ(AllValues(read), AllValues(changed));
  EXPECT_EQ(section.Asked, section.Written);  // table order, nothing else asked
}

TEST(CalendarSkinFilesTest, ColoursOnlyLeaveEverythingElseAlone) {
  TMemorySection section;
  WriteCalendarSkin(section.Setter(), ChangedSkin());
  TCalendarSkin read = DefaultCalendarSkin(kFonts);
  ASSERT_TRUE(ReadCalendarSkin(section.Getter(), ParseColor, kFonts, false, read, {}));
  EXPECT_EQ(section.Asked.size(), 22u);
  const std::vector<std::string> values = AllValues(read);
  const std::vector<std::string> changed = AllValues(ChangedSkin());
  const std::vector<std::string> defaults = AllValues(DefaultCalendarSkin(kFonts));
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(values[i], i >= 69 ? changed[i] : defaults[i]) << SkinParameters()[i].Key;
}

TEST(CalendarSkinFilesTest, BadOrMissingValuesFallBackByTheirKind) {
  TMemorySection section;
  section.Set("FrameBack5Translucency", "33");  // not an item: the first one
  section.Set("YearHSS", "05");                 // compared as text
  section.Set("TextEffect", "shadow");          // case does not matter
  section.Set("DaysTextFont", "courier new");
  section.Set("MonthTextFont", "NoSuchFont");
  section.Set("DaysTextSize", "");      // empty: the default
  section.Set("YearBoldText", "true");  // only "TRUE" is checked
  section.Set("TodayBackColor", "");    // empty colour: black
  section.Set("YearTextColor", "RED");  // a stock name
  section.Set("BogusKey", "1");
  TCalendarSkin skin = DefaultCalendarSkin(kFonts);
  skin.OvalBack = true;  // a missing check box key keeps its state
  skin.FrameCenterColor = 7;
  ASSERT_TRUE(ReadCalendarSkin(section.Getter(), ParseColor, kFonts, true, skin, {}));
  EXPECT_EQ(skin.FrameBack5Translucency, 0);
  EXPECT_EQ(skin.YearHSS, -5);
  EXPECT_EQ(skin.TextEffect, "Shadow");
  EXPECT_EQ(skin.DaysTextFont, "Courier New");
  EXPECT_EQ(skin.MonthTextFont, "Arial");
  EXPECT_EQ(skin.DaysTextSize, 12);
  EXPECT_FALSE(skin.YearBoldText);
  EXPECT_TRUE(skin.OvalBack);
  EXPECT_EQ(skin.TodayBackColor, 0u);
  EXPECT_EQ(skin.YearTextColor, 0x0000FFu);
  EXPECT_EQ(skin.FrameCenterColor, 15790290u);  // missing colour: its default
  TMemorySection written;
  WriteCalendarSkin(written.Setter(), skin);
  EXPECT_EQ(written.Values["yeartextcolor"], "255");
  EXPECT_EQ(written.Values.count("boguskey"), 0u);
}

TEST(CalendarSkinFilesTest, AnUnreadableColourTakesItsDefaultAndTheReadGoesOn) {
  TMemorySection section;
  section.Set("FrameBack1Color", "123");
  section.Set("FrameBack2Color", "greenish");
  section.Set("FrameBack3Color", "456");
  section.Set("OtherMonthsWeekendTextColor", "$zz");
  TCalendarSkin skin = DefaultCalendarSkin(kFonts);
  skin.FrameBack2Color = 1;
  skin.OtherMonthsWeekendTextColor = 2;
  std::vector<std::string> unreadable;
  const auto note = [&](const std::string& s, const std::string& key, const std::string& text) {
    unreadable.push_back(s + "/" + key + "=" + text);
  };
  EXPECT_TRUE(ReadCalendarSkin(section.Getter(), ParseColor, kFonts, true, skin, note));
  EXPECT_FALSE(FunStatContext.Failed());
  EXPECT_EQ(skin.FrameBack1Color, 123u);
  EXPECT_EQ(skin.FrameBack2Color, 9868950u);
  EXPECT_EQ(skin.FrameBack3Color, 456u);
  EXPECT_EQ(skin.OtherMonthsWeekendTextColor, 4276610u);
  EXPECT_EQ(unreadable, (std::vector<std::string>{"CalendarSkin/FrameBack2Color=greenish",
                                                  "CalendarSkin/OtherMonthsWeekendTextColor=$zz"}));
  EXPECT_EQ(section.Asked.size(), 91u);
}

TEST(CalendarSkinFilesTest, SkinFileNames) {
  EXPECT_EQ(SkinFileFilter(), "Skins (*.wps)|*.wps");
  EXPECT_EQ(SkinLoadDialogTitle(false), "Load calendar colors");
  std::string last;
  EXPECT_EQ(SkinDialogInitialFileName("C:\\Prog\\", last), "C:\\Prog\\CalendarSkins\\*.wps");
  EXPECT_EQ(last, "*");
  last = "myskin";
  EXPECT_EQ(SkinDialogInitialFileName("C:\\Prog", last), "C:\\Prog\\CalendarSkins\\myskin.wps");
  EXPECT_EQ(WithSkinExtension("C:\\skins\\myskin"), "C:\\skins\\myskin.wps");
  EXPECT_EQ(WithSkinExtension("C:\\my.skins\\blue"), "C:\\my.skins\\blue.wps");
  EXPECT_EQ(WithSkinExtension("C:\\skins\\blue.ini"), "C:\\skins\\blue.ini");
  EXPECT_EQ(SkinNameOfFile("C:\\skins\\myskin.wps"), "myskin");
  EXPECT_EQ(SkinNameOfFile("C:\\my.skins\\blue"), "blue");
}

}  // namespace
