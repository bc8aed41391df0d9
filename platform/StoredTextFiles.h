// The settings store's file access on Windows: whole-file reads, and saves
// that replace the file atomically (a temporary file beside it renamed over it).
#pragma once

#include "core/settings/StoredTextList.h"

class TWinStoredTextFiles : public TStoredTextFileAccess {
 public:
  TReadOutcome ReadWholeFile(const std::string& path, size_t maximumSize, std::string& bytes,
                             uint32_t& errorCode) override;
  bool FileExists(const std::string& path) override;
  bool IsReadOnly(const std::string& path) override;
  bool ClearAttributes(const std::string& path, uint32_t& errorCode) override;
  bool WriteFileAtomically(const std::string& path, const std::string& bytes, uint32_t& errorCode) override;
  bool AskQuery(const std::string& text) override;
};

// One instance serves every store of the program.
TWinStoredTextFiles& StoredTextFiles();

// The user's decimal separator, for the stores' reals.
char UserDecimalSeparator();

// Writes bytes to a temporary file in the target's folder, flushes it and
// renames it over the target. False (and the error code) on any failure; the
// target is then untouched and the temporary file removed.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, uint32_t& errorCode);
