// GDI+ started for as long as the object lives.
#pragma once

#include <windows.h>

class TGdiPlusSession {
 public:
  TGdiPlusSession();
  ~TGdiPlusSession();
  TGdiPlusSession(const TGdiPlusSession&) = delete;
  TGdiPlusSession& operator=(const TGdiPlusSession&) = delete;

  bool Started() const { return token_ != 0; }
  // GDI+'s status from the start, 0 when it started.
  int StartStatus() const { return startStatus_; }

 private:
  ULONG_PTR token_ = 0;
  int startStatus_ = 0;
};

// One session for a process that draws now and then (a test driver): started
// by the first call, ended when the process exits.
const TGdiPlusSession& ProcessGdiPlusSession();
