// The settings store: an INI file held in memory and bound to a file name,
// loaded and saved as a whole, with callbacks through which the owner moves
// its values between the image and its controls, and typed read and write
// helpers for one setting each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/settings/IniImage.h"
#include "core/settings/OptionsRules.h"

// Real settings files are a few kilobytes; anything larger is refused as
// unreadable before it is read, so that a damaged or foreign file can neither
// stall the start nor take the memory of millions of keys.
inline constexpr size_t kMaxStoredTextFileSize = 1024 * 1024;

// The file system as the store needs it; the platform layer implements it.
class TStoredTextFileAccess {
 public:
  enum class TReadOutcome { Read, Missing, TooLarge, Failed };

  virtual ~TStoredTextFileAccess() = default;
  // The whole file into bytes; Missing when it does not exist (no failure),
  // TooLarge (nothing read) when it holds more than maximumSize bytes.
  virtual TReadOutcome ReadWholeFile(const std::string& path, size_t maximumSize,
                                     std::string& bytes, uint32_t& errorCode) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool IsReadOnly(const std::string& path) = 0;
  virtual bool ClearAttributes(const std::string& path, uint32_t& errorCode) = 0;
  // Replaces the file as a whole (temporary file beside it, then a rename over
  // it), so that a failure leaves the previous file intact.
  virtual bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                                   uint32_t& errorCode) = 0;
  // The yes/no query box; true only for Yes.
  virtual bool AskQuery(const std::string& text) = 0;
};

class TStoredTextList {
 public:
  using TCallback = std::function<void(TStoredTextList& store, uint8_t argument)>;

  // No file access here; files must outlive the store.
  TStoredTextList(const std::string& fileName, TStoredTextFileAccess& files);

  std::string FileName;
  bool IsLoading = false;
  TCallback OnLoad;
  TCallback OnSave;
  // The in-memory image: absent until the first Load or SaveAs, and absent
  // again after a Load that failed (the file could not be read, or OnLoad
  // stopped part-way), so that the following Save cannot overwrite a file
  // whose contents were never wholly seen.
  std::unique_ptr<TIniImage> Ini;
  // The user's decimal separator, for reals.
  char DecimalSeparator = '.';
  // What a failed Load shows.
  std::string LoadFailureMessage = "Failed to load file.";

  // Reads the file into a new image and calls OnLoad; a failure (including an
  // exception from OnLoad) shows LoadFailureMessage and returns false. Values
  // the read helpers could not read take their defaults and the load goes on;
  // they are then reported once, naming the file, and the load succeeds.
  bool Load(uint8_t argument);
  bool LoadFrom(const std::string& fileName, uint8_t argument);
  // Optionally asks before overwriting, calls OnSave, clears a read-only
  // attribute and replaces the file. A refusal returns false silently; a
  // failure shows "Failed to save file." and returns false.
  bool Save(bool askBeforeOverwrite, uint8_t argument);
  bool SaveAs(const std::string& fileName, bool askBeforeOverwrite, uint8_t argument);
  // Empties the image; no file access.
  void Clear();

  // The image for the write helpers; throws std::logic_error while it is absent
  // (the helpers run inside Load and Save, whose guards record it).
  TIniImage& Image();

  // Called by a read helper for a stored text it cannot read; the value takes
  // its default. Load reports these once, after OnLoad.
  void NoteUnreadableValue(const std::string& section, const std::string& key,
                           const std::string& text) const;
  // "[Section] Key=text" for each value noted during the current or last Load.
  const std::vector<std::string>& UnreadableValues() const { return unreadableValues_; }

 private:
  TStoredTextFileAccess* files_;
  mutable std::vector<std::string> unreadableValues_;
};

// Typed helpers. The variable's current value is the default: a missing or
// unusable key leaves it as it is. Reads of an absent image give the default.
// Every write changes only the image; nothing reaches the disk before Save.

// The raw text, defaultValue when the key is missing (an empty value is present).
std::string ReadString(const TStoredTextList& store, const std::string& section,
                       const std::string& key, const std::string& defaultValue);

// Replaces value only when the text is (non-empty or allowEmpty) and at most
// maximumLength UTF-16 units long, as the system counts a name.
void ReadText(const TStoredTextList& store, const std::string& section, const std::string& key,
              bool allowEmpty, std::string& value, size_t maximumLength);
void WriteText(TStoredTextList& store, const std::string& section, const std::string& key,
               const std::string& value);

// The text a combo box is to take: the stored text, or defaultText when the
// key is missing or empty. A drop-down list selects
// SelectComboIndex(items, text, "") with it; an editable one takes it as its text.
std::string ReadComboBoxText(const TStoredTextList& store, const std::string& section,
                             const std::string& key, const std::string& defaultText);

void ReadBool(const TStoredTextList& store, const std::string& section, const std::string& key,
              bool& value);
void WriteBool(TStoredTextList& store, const std::string& section, const std::string& key,
               bool value);

// Note the order: maximum before minimum. A value outside the range leaves the variable as it is.
void ReadInt(const TStoredTextList& store, const std::string& section, const std::string& key,
             int32_t& value, int32_t maximum, int32_t minimum);
void WriteInt(TStoredTextList& store, const std::string& section, const std::string& key,
              int32_t value);

void ReadReal(const TStoredTextList& store, const std::string& section, const std::string& key,
              double& value);
void WriteReal(TStoredTextList& store, const std::string& section, const std::string& key,
               double value);

// A stored text that matches no form of the colour rule leaves the colour as it
// is and is noted on the store (NoteUnreadableValue).
void ReadColor(const TStoredTextList& store, const std::string& section, const std::string& key,
               uint32_t& color);
void WriteColor(TStoredTextList& store, const std::string& section, const std::string& key,
                uint32_t color);

// The window position to move to: the stored coordinates (current ones by
// default) clamped by ClampWindowPosition to the work area.
TWindowPoint ReadWindowPosition(const TStoredTextList& store, const std::string& section,
                                const std::string& xKey, const std::string& yKey,
                                const TWorkAreaBounds& workArea, TWindowPoint current);
void WriteWindowPosition(TStoredTextList& store, const std::string& section,
                         const std::string& xKey, const std::string& yKey, TWindowPoint position);

// Reads the four fractions (current values by default) and clamps them by ClampPlacementRect.
void ReadPlacementRect(const TStoredTextList& store, const std::string& section,
                       const std::string& leftKey, const std::string& topKey,
                       const std::string& widthKey, const std::string& heightKey, double& left,
                       double& top, double& width, double& height);
void WritePlacementRect(TStoredTextList& store, const std::string& section,
                        const std::string& leftKey, const std::string& topKey,
                        const std::string& widthKey, const std::string& heightKey, double left,
                        double top, double width, double height);
