// GDI+ started for a scope, and the calendar's surface opened on a device context.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/GdiPlusCanvas.h"
#include "platform/GdiPlusSession.h"
#include "platform/ScreenBitmap.h"

TEST(GdiPlusCanvasTest, SessionStartsAndTheCanvasPaintsOnTheDeviceContext) {
  const TGdiPlusSession session;
  ASSERT_TRUE(session.Started());
  EXPECT_EQ(session.StartStatus(), 0);

  const auto bitmap = TScreenBitmap::Create(40, 30);
  ASSERT_TRUE(bitmap);
  bitmap->Fill(0x000000);
  {
    TGdiPlusCanvas canvas(bitmap->Dc(), nullptr);
    ASSERT_TRUE(canvas.Opened());
    TShape square;
    square.Kind = TShapeKind::Rectangle;
    square.Bounds = TRectF{10, 5, 20, 10};
    canvas.FillShape(square, 0xFF0000FF);  // opaque blue
    EXPECT_EQ(canvas.LastStatus(), 0);
  }
  GdiFlush();
  EXPECT_EQ(bitmap->PixelAt(15, 10), 0x0000FFu);
  EXPECT_EQ(bitmap->PixelAt(2, 2), 0x000000u);

  // No device context: nothing opened, and drawing stays harmless.
  TGdiPlusCanvas none(static_cast<HDC>(nullptr), nullptr);
  EXPECT_FALSE(none.Opened());
  EXPECT_NE(none.LastStatus(), 0);
}
