// The holders give back what they hold, and a selection puts the previous object back.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/HandleHolders.h"

TEST(HandleHoldersTest, HandlesCloseAndSelectionsAreUndone) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(event);
  DWORD flags = 0;
  { const THandleHolder holder(event); EXPECT_TRUE(holder.Valid()); }
  EXPECT_FALSE(GetHandleInformation(event, &flags));
  EXPECT_FALSE(THandleHolder(INVALID_HANDLE_VALUE).Valid());
  EXPECT_FALSE(THandleHolder().Valid());

  const TWindowDcHolder screen(nullptr);
  ASSERT_TRUE(screen.Get());
  HDC dc = CreateCompatibleDC(screen.Get());
  ASSERT_TRUE(dc);
  const HGDIOBJ before = GetCurrentObject(dc, OBJ_PEN);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  {
    const TGdiObjectHolder held(pen);
    const TSelection selection(dc, held.Get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), before);
  EXPECT_EQ(GetObjectType(pen), 0u);  // deleted
  DeleteDC(dc);
}
