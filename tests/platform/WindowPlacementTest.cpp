// Centring a window on its owner, the work area and DPI scaling.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/WindowPlacement.h"

namespace {

HWND MakePopup(HWND owner, int x, int y, int width, int height) {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, width, height, owner, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

RECT Frame(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace

TEST(WindowPlacementTest, CentresOnTheOwnerTheDesktopOrWithinTheWorkArea) {
  RECT work = {};
  ASSERT_TRUE(GetWorkArea(work));
  EXPECT_GT(work.right - work.left, 0);
  EXPECT_GT(work.bottom - work.top, 0);

  HWND owner = MakePopup(nullptr, 100, 200, 400, 300);
  HWND window = MakePopup(owner, 0, 0, 200, 100);
  ASSERT_TRUE(owner && window);

  // A hidden owner: the desktop's centre, unless asked for the owner's.
  CentreOnOwner(window, owner);
  RECT desktop = Frame(GetDesktopWindow());
  EXPECT_EQ(Frame(window).left, (desktop.left + desktop.right - 200) / 2);
  EXPECT_EQ(Frame(window).top, (desktop.top + desktop.bottom - 100) / 2);
  TCentring onHidden;
  onHidden.OnHiddenOwner = true;
  CentreOnOwner(window, owner, onHidden);
  EXPECT_EQ(Frame(window).left, 200);
  EXPECT_EQ(Frame(window).top, 300);

  // A shown owner: its centre, the size kept.
  ShowWindow(owner, SW_SHOWNA);
  CentreOnOwner(window, owner);
  EXPECT_EQ(Frame(window).left, 200);
  EXPECT_EQ(Frame(window).top, 300);
  EXPECT_EQ(Frame(window).right - Frame(window).left, 200);

  // Taller than its owner near the top: the work area keeps the title bar on screen.
  SetWindowPos(owner, nullptr, work.left, work.top, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(window, nullptr, 0, 0, 100, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  CentreOnOwner(window, owner);
  EXPECT_LT(Frame(window).top, work.top);
  TCentring within;
  within.WithinWorkArea = true;
  CentreOnOwner(window, owner, within);
  EXPECT_EQ(Frame(window).top, work.top);
  EXPECT_EQ(Frame(window).left, work.left + 50);

  DestroyWindow(window);
  DestroyWindow(owner);
}

TEST(WindowPlacementTest, ScalesFromNinetySixDotsPerInch) {
  EXPECT_EQ(WindowDpi(nullptr), 96);
  EXPECT_EQ(ScaleForDpi(nullptr, 465), 465);
  HWND window = MakePopup(nullptr, 0, 0, 10, 10);
  ASSERT_TRUE(window);
  const int dpi = WindowDpi(window);
  EXPECT_GE(dpi, 96);
  EXPECT_EQ(ScaleForDpi(window, 96), dpi);
  EXPECT_EQ(ScaleForDpi(window, 48), MulDiv(48, dpi, 96));
  DestroyWindow(window);
}
