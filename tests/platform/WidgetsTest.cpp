// The widget toolkit from the keyboard: links are tab stops that Enter and
// Space click, with a focus frame while they have the focus.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/Widgets.h"
#include "resources/resource.h"

namespace {

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
