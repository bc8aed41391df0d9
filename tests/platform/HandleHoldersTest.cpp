// The holders give back what they hold, and a selection puts the previous object back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/HandleHolders.h"

namespace {

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

}  // namespace

TEST(HandleHoldersTest, HandlesCloseAndSelectionsAreUndone) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(event);
  { const THandleHolder holder(event); EXPECT_TRUE(holder.Valid()); }
  EXPECT_FALSE(IsOpen(event));
  EXPECT_FALSE(THandleHolder(INVALID_HANDLE_VALUE).Valid());
  EXPECT_FALSE(THandleHolder().Valid());

  const TWindowDcHolder screen(nullptr);
  ASSERT_TRUE(screen.Get());
  const TMemoryDcHolder dc(CreateCompatibleDC(screen.Get()));
  ASSERT_TRUE(dc.Valid());
  const HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_PEN);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  {
    const TGdiObjectHolder held(pen);
    const TSelection selection(dc.Get(), held.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen);
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), before);
  EXPECT_EQ(GetObjectType(pen), 0u);  // deleted
}

TEST(HandleHoldersTest, AMovedOrResetHandleIsClosedOnceByItsLastOwner) {
  HANDLE first = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE second = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(first && second);
  {
    THandleHolder kept;
    {
      THandleHolder moved(first);
      kept = std::move(moved);
      EXPECT_FALSE(moved.Valid());
    }
    EXPECT_TRUE(IsOpen(first));  // the emptied holder closed nothing
    kept.Reset(second);
    EXPECT_FALSE(IsOpen(first));
    EXPECT_TRUE(IsOpen(second));

    std::vector<THandleHolder> held;
    held.push_back(std::move(kept));
    held.emplace_back(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    EXPECT_TRUE(IsOpen(second));
    const HANDLE released = held.back().Release();
    held.clear();
    EXPECT_FALSE(IsOpen(second));
    EXPECT_TRUE(IsOpen(released));
    CloseHandle(released);
  }
}

TEST(HandleHoldersTest, RegistryKeysCloseAndEmptyHoldersHoldNothing) {
  char folder[MAX_PATH] = {};
  ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((std::string(folder) + "*").c_str(), &entry);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  { const TFileSearchHolder holder(search); EXPECT_TRUE(holder.Valid()); }
  EXPECT_FALSE(TFileSearchHolder(INVALID_HANDLE_VALUE).Valid());

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  { const TRegistryKeyHolder holder(key); EXPECT_TRUE(holder.Valid()); }
  DWORD subKeys = 0;
  EXPECT_NE(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);

  EXPECT_TRUE(TLocalMemoryHolder(LocalAlloc(LMEM_FIXED, 16)).Valid());
  EXPECT_FALSE(TLocalMemoryHolder().Valid());
}

TEST(HandleHoldersTest, ABitmapDcDrawsOnItsBitmapAndGivesBothBack) {
  const TWindowDcHolder screen(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), 4, 3);
  ASSERT_TRUE(bitmap);
  HDC dc = nullptr;
  {
    const TBitmapDcHolder picture(bitmap);
    ASSERT_TRUE(picture.Valid());
    dc = picture.Dc();
    EXPECT_EQ(picture.Bitmap(), bitmap);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    SetPixel(dc, 3, 2, RGB(10, 200, 30));
    EXPECT_EQ(GetPixel(dc, 3, 2), RGB(10, 200, 30));
  }
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(GetObjectType(dc), 0u);
}
