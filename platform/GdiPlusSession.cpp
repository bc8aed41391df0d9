#include "platform/GdiPlusSession.h"

#include <gdiplus.h>

TGdiPlusSession::TGdiPlusSession() {
  Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, nothing suppressed
  const Gdiplus::Status started = Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  if (started != Gdiplus::Ok) {
    token_ = 0;
    startStatus_ = started;
  }
}

TGdiPlusSession::~TGdiPlusSession() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

const TGdiPlusSession& ProcessGdiPlusSession() {
  static const TGdiPlusSession session;
  return session;
}
