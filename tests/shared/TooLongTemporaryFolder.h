// Points TMP and TEMP at a folder longer than any path the system hands out, for as
// long as it lives or until Restore: what a program started meanwhile inherits, and
// what GetTempPath then cannot give.
#pragma once

#include <windows.h>

#include <string>

class TTooLongTemporaryFolder {
 public:
  TTooLongTemporaryFolder() {
    GetEnvironmentVariableA("TMP", tmp_, MAX_PATH);
    GetEnvironmentVariableA("TEMP", temp_, MAX_PATH);
    const std::string tooLong = "C:\\" + std::string(300, 't');
    SetEnvironmentVariableA("TMP", tooLong.c_str());
    SetEnvironmentVariableA("TEMP", tooLong.c_str());
  }
  ~TTooLongTemporaryFolder() { Restore(); }
  TTooLongTemporaryFolder(const TTooLongTemporaryFolder&) = delete;
  TTooLongTemporaryFolder& operator=(const TTooLongTemporaryFolder&) = delete;

  void Restore() {
    if (restored_) return;
    restored_ = true;
    SetEnvironmentVariableA("TMP", tmp_[0] ? tmp_ : nullptr);
    SetEnvironmentVariableA("TEMP", temp_[0] ? temp_ : nullptr);
  }

 private:
  char tmp_[MAX_PATH] = {};
  char temp_[MAX_PATH] = {};
  bool restored_ = false;
};
