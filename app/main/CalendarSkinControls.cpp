#include "app/main/CalendarSkinControls.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>

#include "core/text/AsciiText.h"
#include "core/calendar/CalendarSkinFiles.h"
#include "core/calendar/ColorGrid.h"
#include "core/settings/StoredTextList.h"
#include "core/settings/ValueText.h"
#include "platform/HandleHolders.h"

namespace {

// Captions that read better than the words of their key.
const std::map<std::string, std::string>& CaptionOverrides() {
  static const std::map<std::string, std::string> overrides = {
      {"TextEffect", "Text effect"},
      {"ShowBack", "Show background"},
      {"SimpleBack", "Simple background (brisk margin + back 5)"},
      {"OvalBack", "Oval background"},
      {"OvalBackEccentricity", "Oval eccentricity"},
      {"CalendarOtherMonthsWeeks", "Weeks of other months"},
      {"FirstDayIsMonday", "Monday is the first day"},
      {"YMBottomSpace", "Below year and month"},
      {"DOWBottomSpace", "Below day names"},
      {"HorizontalCenterShift", "Center shift X"},
      {"VerticalCenterShift", "Center shift Y"},
      {"HorizontalCenterFocus", "Center focus X"},
      {"VerticalCenterFocus", "Center focus Y"},
      {"HorizontalMarginSpacing", "Margin X"},
      {"VerticalMarginSpacing", "Margin Y"},
  };
  return overrides;
}

// Words of a key: a new word starts at a capital after a small letter, at the
// last capital of a run followed by a small letter, and where digits start or end.
std::vector<std::string> KeyWords(const std::string& key) {
  std::vector<std::string> words;
  for (size_t i = 0; i < key.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(key[i]);
    bool starts = i == 0;
    if (i > 0) {
      const unsigned char p = static_cast<unsigned char>(key[i - 1]);
      const bool nextSmall = i + 1 < key.size() && std::islower(static_cast<unsigned char>(key[i + 1]));
      starts = (std::isupper(c) && (std::islower(p) || std::isdigit(p) || (std::isupper(p) && nextSmall))) ||
               (std::isdigit(c) && !std::isdigit(p));
    }
    if (starts) words.emplace_back();
    words.back() += static_cast<char>(c);
  }
  return words;
}

// The words the page's caption already says: "Year" on "Year", "Day Of Week" on "Day of week".
std::vector<std::string> PageWords(const std::string& page) {
  std::vector<std::string> words;
  std::string word;
  for (char c : page + " ") {
    if (c == ' ') {
      if (!word.empty()) {
        word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
        words.push_back(word);
      }
      word.clear();
    } else {
      word += c;
    }
  }
  return words;
}

std::string WordText(const std::string& word) {
  if (word == "HSS") return "horizontal shadow shift";
  if (word == "VSS") return "vertical shadow shift";
  if (word == "Thick") return "thickness";
  if (word.size() == 2 && std::isdigit(static_cast<unsigned char>(word[0])))
    return std::string(1, word[0]) + "-" + word[1];  // a band between two frame colours
  return LowerCaseAscii(word);
}

}  // namespace

std::string SkinParameterCaption(const TSkinParameter& parameter) {
  const auto overridden = CaptionOverrides().find(parameter.Key);
  if (overridden != CaptionOverrides().end()) return overridden->second;
  std::vector<std::string> words = KeyWords(parameter.Key);
  const std::vector<std::string> pageWords = PageWords(parameter.Page);
  if (words.size() > pageWords.size() && std::equal(pageWords.begin(), pageWords.end(), words.begin()))
    words.erase(words.begin(), words.begin() + static_cast<long>(pageWords.size()));
  if (words.size() > 1 && words.front() == "Calendar") words.erase(words.begin());
  // "FrameBackThick12": the band between frame colours 1 and 2.
  if (words.size() == 4 && words[0] == "Frame" && words[2] == "Thick") words.erase(words.begin(), words.begin() + 2);
  if (parameter.Kind == TSkinParameterKind::Color) {
    if (words.size() > 1 && words.back() == "Color") words.pop_back();
    if (words.size() > 1 && words.back() == "Text") words.pop_back();
  }
  std::string caption;
  for (const std::string& word : words) caption += (caption.empty() ? "" : " ") + WordText(word);
  if (!caption.empty()) caption[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[0])));
  return caption;
}

namespace {

// Dialog units, as on the pages made from templates: a margin around and
// between the columns, one row per list, the gap between a caption and its list.
constexpr int kMargin = 6;
constexpr int kLineHeight = 16;
constexpr int kCaptionGap = 3;
constexpr int kPanelPadding = 4;     // a colour panel's caption sits on the colour
constexpr int kMinListWidth = 30;    // room for "100" and the drop-down button
constexpr int kFontListWidth = 220;  // pixels of a dropped-down font list

// The width of a text in the page's font, in the page's dialog units, rounded up.
int TextWidthInDialogUnits(const TDialogWindow& page, const std::string& text) {
  HWND window = page.Handle();
  SIZE size = {};
  {
    const TWindowDcHolder dc(window);
    const TSelection font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  }
  const LONG pixelsPer400 = page.DialogUnitsToPixels(0, 0, 400, 0).right;
  return pixelsPer400 > 0 ? static_cast<int>((size.cx * 400 + pixelsPer400 - 1) / pixelsPer400) : size.cx;
}

// The translucency row that goes with a colour row: "...Color" -> "...Translucency".
std::string TranslucencyKeyOf(const std::string& colorKey) {
  const std::string suffix = "Color";
  if (colorKey.size() <= suffix.size()) return std::string();
  return colorKey.substr(0, colorKey.size() - suffix.size()) + "Translucency";
}

}  // namespace

TCalendarSkinControls::TColumns TCalendarSkinControls::Columns(int page) const {
  TColumns columns;
  RECT client = {};
  GetClientRect(pages_[page]->Handle(), &client);
  const LONG pixelsPer400 = pages_[page]->DialogUnitsToPixels(0, 0, 400, 0).right;
  int width = pixelsPer400 > 0 ? static_cast<int>(client.right * 400 / pixelsPer400) : 0;
  if (width < 200) width = 240;  // a page not yet sized: the usual page's width
  columns.Width = (width - 3 * kMargin) / 2;
  columns.Left[0] = kMargin;
  columns.Left[1] = 2 * kMargin + columns.Width;
  columns.LineHeight = kLineHeight;
  const int captionWidth = page < static_cast<int>(captionWidth_.size()) ? captionWidth_[page] : 0;
  columns.CaptionWidth = std::min(captionWidth, columns.Width - kCaptionGap - kMinListWidth);
  return columns;
}

int TCalendarSkinControls::FreeTop(int page) const { return freeTop_[page]; }

void TCalendarSkinControls::Create(TDialogWindow* const pages[], const char* const pageCaptions[], int pageCount,
                                   const std::vector<std::string>& fontNames, int firstId) {
  fontNames_ = fontNames;
  pages_.assign(pages, pages + pageCount);
  const std::vector<TSkinParameter>& table = SkinParameters();
  rows_.clear();
  rows_.resize(table.size());
  std::vector<int> cellCount(pageCount, 0);

  std::map<std::string, size_t> rowOfKey;
  for (size_t i = 0; i < table.size(); ++i) rowOfKey[table[i].Key] = i;
  // Translucency rows that sit beside their colour panel instead of in a cell of their own.
  std::vector<bool> besideColor(table.size(), false);
  for (const TSkinParameter& parameter : table)
    if (parameter.Kind == TSkinParameterKind::Color) {
      const auto found = rowOfKey.find(TranslucencyKeyOf(parameter.Key));
      if (found != rowOfKey.end()) besideColor[found->second] = true;
    }

  const auto pageOf = [&](const TSkinParameter& parameter) {
    for (int p = 0; p < pageCount; ++p)
      if (std::string(pageCaptions[p]) == parameter.Page) return p;
    return 0;
  };
  const auto makeList = [&](size_t index, TDialogWindow& page, int x, int y, int width) {
    TRow& row = rows_[index];
    row.Parameter = &table[index];
    row.List = std::make_unique<TComboBox>();
    row.List->Create(page, firstId + static_cast<int>(index), "COMBOBOX", "",
                     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, x, y, width, 150);
    row.List->SetItems(SkinParameterItems(table[index], fontNames_));
    if (table[index].Kind == TSkinParameterKind::FontName)
      SendMessageA(row.List->Handle(), CB_SETDROPPEDWIDTH, kFontListWidth, 0);
    row.List->OnChange = [this] { if (OnChange) OnChange(); };
  };

  // On each page one caption column as wide as its widest caption, so that the
  // lists of both columns line up and get the rest of the width.
  captionWidth_.assign(pageCount, 0);
  for (size_t index = 0; index < table.size(); ++index) {
    const TSkinParameter& parameter = table[index];
    if (besideColor[index] || parameter.Kind == TSkinParameterKind::Bool) continue;
    const int page = pageOf(parameter);
    const int padding = parameter.Kind == TSkinParameterKind::Color ? kPanelPadding : 0;
    captionWidth_[page] = std::max(captionWidth_[page],
                                   TextWidthInDialogUnits(*pages[page], " " + SkinParameterCaption(parameter)) + padding);
  }

  for (size_t index = 0; index < table.size(); ++index) {
    if (besideColor[index]) continue;
    const TSkinParameter& parameter = table[index];
    const int page = pageOf(parameter);
    TDialogWindow& owner = *pages[page];
    const TColumns columns = Columns(page);
    // A check box with a long caption takes a whole line.
    const bool wholeLine =
        parameter.Kind == TSkinParameterKind::Bool && SkinParameterCaption(parameter).size() > 28;
    if (wholeLine && cellCount[page] % 2 == 1) ++cellCount[page];
    const int cell = cellCount[page]++;
    if (wholeLine) ++cellCount[page];
    const int x = columns.Left[cell % 2];
    const int y = kMargin + (cell / 2) * kLineHeight;
    const int leftWidth = columns.CaptionWidth;
    const int rightWidth = columns.Width - leftWidth - kCaptionGap;
    TRow& row = rows_[index];
    row.Parameter = &parameter;
    const std::string caption = SkinParameterCaption(parameter);
    const int captionId = firstId + 200 + static_cast<int>(index);

    switch (parameter.Kind) {
      case TSkinParameterKind::Bool:
        row.Check = std::make_unique<TCheckBox>();
        row.Check->Create(owner, firstId + static_cast<int>(index), "BUTTON", caption,
                          BS_AUTOCHECKBOX | WS_TABSTOP, x, y + 1,
                          wholeLine ? 2 * columns.Width + kMargin : columns.Width, 10);
        row.Check->OnClick = [this] { if (OnChange) OnChange(); };
        break;
      case TSkinParameterKind::Color: {
        row.Color = std::make_unique<TColorPanel>();
        row.Color->Create(owner, firstId + static_cast<int>(index), "STATIC", "", SS_OWNERDRAW | SS_NOTIFY, x, y,
                          leftWidth, 12);
        row.Color->Caption = " " + caption;
        row.Color->Tag = parameter.DefaultColor;
        const auto translucency = rowOfKey.find(TranslucencyKeyOf(parameter.Key));
        if (translucency != rowOfKey.end()) {
          makeList(translucency->second, owner, x + leftWidth + kCaptionGap, y, rightWidth);
          rows_[translucency->second].List->SetHint("Translucency (%) of \"" + caption + "\"");
        }
        break;
      }
      default:
        row.Caption = std::make_unique<TLabel>();
        row.Caption->Create(owner, captionId, "STATIC", caption, SS_LEFTNOWORDWRAP | SS_NOPREFIX, x, y + 2, leftWidth, 8);
        makeList(index, owner, x + leftWidth + kCaptionGap, y, rightWidth);
        break;
    }
  }
  freeTop_.assign(pageCount, 0);
  for (int p = 0; p < pageCount; ++p) freeTop_[p] = kMargin + (cellCount[p] + 1) / 2 * kLineHeight + kMargin;
  ShowSkin(DefaultCalendarSkin(fontNames_));
}

TCalendarSkin TCalendarSkinControls::Skin() const {
  TCalendarSkin skin;
  for (const TRow& row : rows_) {
    const TSkinParameter& parameter = *row.Parameter;
    if (row.List)
      SetSkinListValue(skin, parameter, row.List->Text());
    else if (row.Check)
      skin.*parameter.BoolValue = row.Check->Checked();
    else if (row.Color)
      skin.*parameter.ColorValue = row.Color->Color();
  }
  return skin;
}

void TCalendarSkinControls::ShowSkin(const TCalendarSkin& skin) {
  for (TRow& row : rows_) {
    const TSkinParameter& parameter = *row.Parameter;
    if (row.List)
      row.List->SetText(SelectListItem(SkinParameterItems(parameter, fontNames_), SkinValueText(skin, parameter)));
    else if (row.Check)
      row.Check->SetChecked(skin.*parameter.BoolValue);
    else if (row.Color)
      SetPanelColor(*row.Color, skin.*parameter.ColorValue);
  }
}

TControl* TCalendarSkinControls::Find(const std::string& controlName) const {
  for (const TRow& row : rows_) {
    if (controlName != row.Parameter->ControlName) continue;
    if (row.List) return row.List.get();
    if (row.Check) return row.Check.get();
    return row.Color.get();
  }
  return nullptr;
}

std::vector<TColorPanel*> TCalendarSkinControls::ColorPanels() const {
  std::vector<TColorPanel*> panels;
  for (const TRow& row : rows_)
    if (row.Color) panels.push_back(row.Color.get());
  return panels;
}

void TCalendarSkinControls::SetPanelColor(TColorPanel& panel, COLORREF color) {
  panel.SetColor(color);
  panel.SetHint(PanelColorHint(color));
}

void TCalendarSkinControls::ReadFrom(const TStoredTextList& store, bool wholeSkin) {
  // Check boxes whose key is missing keep their state: the read starts from the controls.
  TCalendarSkin skin = Skin();
  const auto get = [&store](const std::string& section, const std::string& key, const std::string& defaultValue) {
    return ReadString(store, section, key, defaultValue);
  };
  const auto unreadable = [&store](const std::string& section, const std::string& key, const std::string& text) {
    store.NoteUnreadableValue(section, key, text);
  };
  const bool read = ReadCalendarSkin(get, TryTextToColor, fontNames_, wholeSkin, skin, unreadable);
  ShowSkin(skin);
  if (!read) throw std::runtime_error("Failed to read the calendar skin.");
}

void TCalendarSkinControls::WriteTo(TStoredTextList& store) const {
  const auto set = [&store](const std::string& section, const std::string& key, const std::string& value) {
    WriteText(store, section, key, value);
  };
  if (!WriteCalendarSkin(set, Skin())) throw std::runtime_error("Failed to write the calendar skin.");
}
