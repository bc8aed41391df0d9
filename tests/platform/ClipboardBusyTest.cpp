// Copying to the clipboard while another window holds it open for a moment.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/Clipboard.h"
#include "platform/HandleHolders.h"

TEST(ClipboardBusyTest, ACopyWaitsUntilAnotherThreadClosesTheClipboard) {
  const THandleHolder opened(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  const THandleHolder copying(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(opened.Valid() && copying.Valid());
  bool held = false;
  std::thread holder([&] {
    // A window of its own: the clipboard tells holders apart by their window.
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    held = window && OpenClipboard(window) != FALSE;
    SetEvent(opened.Get());
    if (!held) {
      if (window) DestroyWindow(window);
      return;
    }
    // What a clipboard viewer does after a change: read a moment, then let go.
    WaitForSingleObject(copying.Get(), 10000);
    Sleep(100);
    CloseClipboard();
    DestroyWindow(window);
  });
  WaitForSingleObject(opened.Get(), 10000);
  const bool refused = !OpenClipboard(nullptr);  // held by the other thread
  if (!refused) CloseClipboard();
  SetEvent(copying.Get());
  const bool copied = CopyTextToClipboard("held a moment", "", false, false, nullptr);
  holder.join();
  ASSERT_TRUE(held);
  EXPECT_TRUE(refused);
  EXPECT_TRUE(copied);
  EXPECT_EQ(ClipboardText(nullptr), "held a moment");
}
