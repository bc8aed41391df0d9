// The widget toolkit's lifetimes: a control and its dialog may go in either
// order without one reaching the other afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/Widgets.h"
#include "resources/resource.h"

namespace {

TEST(WidgetsTest, AControlOrDialogThatIsGoneIsNoLongerReached) {
  TDialogWindow dialog;
  ASSERT_TRUE(dialog.CreateModeless(IDD_ABOUT, nullptr));
  int clicks = 0, presses = 0;
  auto link = std::make_unique<TLinkLabel>();
  link->Create(dialog, 4201, "STATIC", "Next", SS_LEFT, 0, 0, 40, 10);
  link->OnClick = [&] { ++clicks; };
  auto panel = std::make_unique<TColorPanel>();
  panel->Create(dialog, 4202, "STATIC", "", 0, 0, 20, 20, 10);
  panel->OnMouseDown = [&](TMouseButton, int, int, bool) { ++presses; };
  HWND linkWindow = link->Handle(), panelWindow = panel->Handle();
  const auto clickLink = [&] {
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(4201, STN_CLICKED), reinterpret_cast<LPARAM>(linkWindow));
  };
  clickLink();
  SendMessageA(panelWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  ASSERT_EQ(clicks, 1);
  ASSERT_EQ(presses, 1);

  // The objects go first, as the cells of the colour dialog do before its window.
  link.reset();
  panel.reset();
  ASSERT_TRUE(IsWindow(panelWindow));
  clickLink();
  SendMessageA(panelWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(presses, 1);

  // The dialog goes first: its controls outlive it without reaching back.
  auto survivor = std::make_unique<TColorPanel>();
  {
    TDialogWindow page;
    ASSERT_TRUE(page.CreateModeless(IDD_ABOUT, nullptr));
    survivor->Create(page, 4203, "STATIC", "", 0, 0, 20, 20, 10);
  }
  EXPECT_EQ(survivor->Owner(), nullptr);
  survivor.reset();
}

TEST(WidgetsTest, ButtonsAndEditsReportTheirEventsAndEscapeClicksItsButton) {
  TDialogWindow dialog;
  ASSERT_TRUE(dialog.CreateModeless(IDD_ABOUT, nullptr));
  int okays = 0, changes = 0;
  auto okay = std::make_unique<TButton>();
  okay->Bind(dialog, IDOK);
  okay->OnClick = [&] { ++okays; };
  TEdit edit;
  edit.Create(dialog, 4204, "EDIT", "", ES_AUTOHSCROLL, 0, 0, 60, 12);
  edit.OnChange = [&] { ++changes; };
  const auto command = [&](int id, int code) {
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, code), 0);
  };

  command(IDOK, BN_CLICKED);
  command(IDOK, BN_SETFOCUS);
  EXPECT_EQ(okays, 1);
  // The Escape key's cancel command reaches no one until a button takes it.
  command(IDCANCEL, BN_CLICKED);
  EXPECT_EQ(okays, 1);
  dialog.EscapeButton = okay.get();
  command(IDCANCEL, BN_CLICKED);
  EXPECT_EQ(okays, 2);

  okay->PostClick();
  EXPECT_EQ(okays, 2);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  EXPECT_EQ(okays, 3);

  okay->SetEnabled(false);
  EXPECT_FALSE(okay->Enabled());
  okay->SetEnabled(true);
  EXPECT_TRUE(okay->Enabled());

  edit.SetText("C:\\Pictures");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit.Text(), "C:\\Pictures");

  // A button that is gone is no Escape button any more.
  okay.reset();
  EXPECT_EQ(dialog.EscapeButton, nullptr);
  command(IDCANCEL, BN_CLICKED);
  EXPECT_EQ(okays, 3);
}

}  // namespace
