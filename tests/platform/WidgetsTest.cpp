// The widget toolkit: lifetimes (a control and its dialog may go in either
// order without one reaching the other afterwards) and the keyboard (links are
// tab stops that Enter and Space click, with a focus frame while focused).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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

// The link's picture as it paints itself into a bitmap of its size.
std::vector<COLORREF> PaintedPixels(HWND link) {
  RECT area;
  GetClientRect(link, &area);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(link, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < area.bottom; ++y)
    for (int x = 0; x < area.right; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

TEST(WidgetsTest, LinksAreTabStopsThatEnterAndSpaceClickWithAFocusFrame) {
  TDialogWindow window;
  ASSERT_TRUE(window.CreateModeless(IDD_MAIN, nullptr));
  ShowWindow(window.Handle(), SW_SHOW);
  TLinkLabel about, help;
  about.Bind(window, IDC_ABOUT_LABEL);
  help.Bind(window, IDC_HELP_LABEL);
  int clicks = 0;
  about.OnClick = [&] { ++clicks; };

  EXPECT_TRUE(GetWindowLongPtrA(about.Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(GetNextDlgTabItem(window.Handle(), about.Handle(), FALSE), help.Handle());

  const std::vector<COLORREF> unfocused = PaintedPixels(about.Handle());
  about.SetFocus();
  ASSERT_EQ(GetFocus(), about.Handle());
  EXPECT_NE(PaintedPixels(about.Handle()), unfocused) << "no focus frame";

  // The keys as the message loop hands them to the dialog: Enter is the link's,
  // not the dialog's default button.
  for (WPARAM key : {VK_RETURN, VK_SPACE}) {
    MSG press = {};
    press.hwnd = about.Handle();
    press.message = WM_KEYDOWN;
    press.wParam = key;
    EXPECT_TRUE(IsDialogMessageA(window.Handle(), &press));
  }
  EXPECT_EQ(clicks, 2);
  help.SetFocus();
  EXPECT_EQ(PaintedPixels(about.Handle()), unfocused);
}

}  // namespace
