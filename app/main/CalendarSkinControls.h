// The controls of the calendar pages, made in code from the skin parameter
// table: one control per row on the page the row names, each with a caption,
// and every colour panel with its translucency list beside it. The controls
// hold the skin's live values; the skin struct is copied in and out through
// the table.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/calendar/CalendarPainter.h"
#include "core/calendar/CalendarSkin.h"
#include "core/calendar/SkinParameters.h"
#include "platform/Widgets.h"

// The caption a row's control is shown with, made from its key.
std::string SkinParameterCaption(const TSkinParameter& parameter);

class TCalendarSkinControls {
 public:
  // pages[i] carries the caption pageCaptions[i]; a row goes to the page whose
  // caption is the row's page. Control ids are firstId + the row's index.
  void Create(TDialogWindow* const pages[], const char* const pageCaptions[], int pageCount,
              const std::vector<std::string>& fontNames, int firstId);

  // Every change the user makes to a list, check box or colour.
  std::function<void()> OnChange;

  TCalendarSkin Skin() const;
  // Sets every control; list texts select the matching item or the first one.
  void ShowSkin(const TCalendarSkin& skin);

  // Section "CalendarSkin" of a store into the controls: every key with
  // wholeSkin, else the colours only. A colour text that is no colour ends
  // the read there (what came before stays) and throws, failing the store's load.
  void ReadFrom(const class TStoredTextList& store, bool wholeSkin);
  // All 91 keys from the controls into section "CalendarSkin".
  void WriteTo(TStoredTextList& store) const;

  // By the control name of the table ("CalendarFrameBack5ColorPanel"); null when unknown.
  TControl* Find(const std::string& controlName) const;
  std::vector<TColorPanel*> ColorPanels() const;
  const std::vector<std::string>& FontNames() const { return fontNames_; }
  // The top of the first free line of a page, in dialog units.
  int FreeTop(int page) const;
  // Left edge, width and line height of the page's two columns, and the width
  // of the captions before the lists, in dialog units.
  struct TColumns {
    int Left[2] = {0, 0};
    int Width = 0;
    int LineHeight = 0;
    int CaptionWidth = 0;
  };
  TColumns Columns(int page) const;

  // Shows a colour in a panel with the hint every colour panel carries: the
  // stock name, the RGB texts and the mouse commands.
  static void SetPanelColor(TColorPanel& panel, COLORREF color);

 private:
  struct TRow {
    const TSkinParameter* Parameter = nullptr;
    std::unique_ptr<TComboBox> List;
    std::unique_ptr<TCheckBox> Check;
    std::unique_ptr<TColorPanel> Color;
    std::unique_ptr<TLabel> Caption;
  };

  std::vector<TRow> rows_;
  std::vector<std::string> fontNames_;
  std::vector<TDialogWindow*> pages_;
  std::vector<int> freeTop_;
  std::vector<int> captionWidth_;
};
