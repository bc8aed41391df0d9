#include "core/settings/StoredTextList.h"

#include <stdexcept>

#include "core/trace/FunStatus.h"
#include "core/settings/ValueText.h"
#include "core/text/Utf8Text.h"

TStoredTextList::TStoredTextList(const std::string& fileName, TStoredTextFileAccess& files)
    : FileName(fileName), files_(&files) {}

namespace {

std::string JoinedBySemicolons(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : "; ") + text;
  return joined;
}

}  // namespace

bool TStoredTextList::Load(uint8_t argument) {
  FUN_TRACE("TStoredTextList::Load");
  bool result = false;
  IsLoading = true;
  unreadableValues_.clear();
  FUN_GUARD({
    std::string bytes;
    uint32_t errorCode = 0;
    switch (files_->ReadWholeFile(FileName, kMaxStoredTextFileSize, bytes, errorCode)) {
      case TStoredTextFileAccess::TReadOutcome::Failed:
        FUN_RAISE("Failed to read file.", FileName, "", errorCode);
        return;
      case TStoredTextFileAccess::TReadOutcome::TooLarge:
        FUN_RAISE("The file is too large for a settings file.", FileName,
                  "Larger than " + std::to_string(kMaxStoredTextFileSize) + " bytes");
        return;
      case TStoredTextFileAccess::TReadOutcome::Missing: bytes.clear(); break;
      case TStoredTextFileAccess::TReadOutcome::Read: break;
    }
    Ini = std::make_unique<TIniImage>(TIniImage::Parse(bytes));
    if (OnLoad) OnLoad(*this, argument);
    result = true;
    // Every other value is read: one report for all that took their defaults.
    if (!unreadableValues_.empty())
      FUN_RAISE("Unreadable values take their defaults.", FileName,
                JoinedBySemicolons(unreadableValues_));
  });
  // A file that could not be read, or a load that stopped part-way, leaves no
  // image: a save of the previous one, or of a partial one, would write stale
  // values or defaults over what the file holds.
  if (!result) Ini.reset();
  IsLoading = false;
  FUN_SHOW(result ? "Some settings could not be read and take their defaults." : LoadFailureMessage);
  return result;
}

bool TStoredTextList::LoadFrom(const std::string& fileName, uint8_t argument) {
  FileName = fileName;
  return Load(argument);
}

bool TStoredTextList::Save(bool askBeforeOverwrite, uint8_t argument) {
  FUN_TRACE("TStoredTextList::Save");
  bool result = false;
  FUN_GUARD({
    if (askBeforeOverwrite && files_->FileExists(FileName) &&
        !files_->AskQuery("File \"" + FileName + "\"already exists.\nOverwrite it?"))
      return;
    if (!Ini) {
      FUN_RAISE("The settings were not loaded.", FileName);
      return;
    }
    if (OnSave) OnSave(*this, argument);
    uint32_t errorCode = 0;
    if (files_->IsReadOnly(FileName) && !files_->ClearAttributes(FileName, errorCode)) {
      FUN_RAISE("Failed to clear file attributes.", FileName, "", errorCode);
      return;
    }
    // A file the next load would refuse is never written: the one there stays readable.
    const std::string bytes = Ini->Serialize();
    if (bytes.size() > kMaxStoredTextFileSize) {
      FUN_RAISE("The file is too large for a settings file.", FileName,
                "Larger than " + std::to_string(kMaxStoredTextFileSize) + " bytes");
      return;
    }
    if (!files_->WriteFileAtomically(FileName, bytes, errorCode)) {
      FUN_RAISE("Failed to write file.", FileName, "", errorCode);
      return;
    }
    result = true;
  });
  FUN_SHOW("Failed to save file.");
  return result;
}

bool TStoredTextList::SaveAs(const std::string& fileName, bool askBeforeOverwrite,
                             uint8_t argument) {
  FileName = fileName;
  if (!Ini) Ini = std::make_unique<TIniImage>();
  return Save(askBeforeOverwrite, argument);
}

void TStoredTextList::Clear() {
  if (Ini) Ini->Clear();
}

TIniImage& TStoredTextList::Image() {
  if (!Ini) throw std::logic_error("The settings image does not exist.");
  return *Ini;
}

void TStoredTextList::NoteUnreadableValue(const std::string& section, const std::string& key,
                                          const std::string& text) const {
  unreadableValues_.push_back("[" + section + "] " + key + "=" + text);
}

std::string ReadString(const TStoredTextList& store, const std::string& section,
                       const std::string& key, const std::string& defaultValue) {
  return store.Ini ? store.Ini->ReadString(section, key, defaultValue) : defaultValue;
}

void ReadText(const TStoredTextList& store, const std::string& section, const std::string& key,
              bool allowEmpty, std::string& value, size_t maximumLength) {
  const std::string text = ReadString(store, section, key, value);
  if ((allowEmpty || !text.empty()) && Utf16Length(text) <= maximumLength) value = text;
}

void WriteText(TStoredTextList& store, const std::string& section, const std::string& key,
               const std::string& value) {
  store.Image().WriteString(section, key, value);
}

std::string ReadComboBoxText(const TStoredTextList& store, const std::string& section,
                             const std::string& key, const std::string& defaultText) {
  const std::string text = ReadString(store, section, key, defaultText);
  return text.empty() ? defaultText : text;
}

void ReadBool(const TStoredTextList& store, const std::string& section, const std::string& key,
              bool& value) {
  value = TextToBool(ReadString(store, section, key, BoolToText(value)));
}

void WriteBool(TStoredTextList& store, const std::string& section, const std::string& key,
               bool value) {
  WriteText(store, section, key, BoolToText(value));
}

namespace {

// An integer key, defaultValue when missing or unreadable.
int32_t ReadIntOrDefault(const TStoredTextList& store, const std::string& section,
                         const std::string& key, int32_t defaultValue) {
  int32_t value = defaultValue;
  return TryTextToInt(ReadString(store, section, key, ""), value) ? value : defaultValue;
}

// A real key, defaultValue when missing or unreadable.
double ReadRealOrDefault(const TStoredTextList& store, const std::string& section,
                         const std::string& key, double defaultValue) {
  double value = defaultValue;
  return TryTextToReal(ReadString(store, section, key, ""), store.DecimalSeparator, value)
             ? value
             : defaultValue;
}

}  // namespace

void ReadInt(const TStoredTextList& store, const std::string& section, const std::string& key,
             int32_t& value, int32_t maximum, int32_t minimum) {
  const int32_t read = ReadIntOrDefault(store, section, key, value);
  if (read >= minimum && read <= maximum) value = read;
}

void WriteInt(TStoredTextList& store, const std::string& section, const std::string& key,
              int32_t value) {
  WriteText(store, section, key, std::to_string(value));
}

void ReadReal(const TStoredTextList& store, const std::string& section, const std::string& key,
              double& value) {
  value = ReadRealOrDefault(store, section, key, value);
}

void WriteReal(TStoredTextList& store, const std::string& section, const std::string& key,
               double value) {
  WriteText(store, section, key, RealToText(value, store.DecimalSeparator));
}

void ReadColor(const TStoredTextList& store, const std::string& section, const std::string& key,
               uint32_t& color) {
  const std::string text = ReadString(store, section, key, ColorToText(color));
  if (!TryTextToColor(text, color)) store.NoteUnreadableValue(section, key, text);
}

void WriteColor(TStoredTextList& store, const std::string& section, const std::string& key,
                uint32_t color) {
  WriteText(store, section, key, ColorToText(color));
}

TWindowPoint ReadWindowPosition(const TStoredTextList& store, const std::string& section,
                                const std::string& xKey, const std::string& yKey,
                                const TWorkAreaBounds& workArea, TWindowPoint current) {
  const TWindowPoint stored{ReadIntOrDefault(store, section, xKey, current.X),
                            ReadIntOrDefault(store, section, yKey, current.Y)};
  return ClampWindowPosition(workArea, stored);
}

void WriteWindowPosition(TStoredTextList& store, const std::string& section,
                         const std::string& xKey, const std::string& yKey, TWindowPoint position) {
  WriteInt(store, section, xKey, position.X);
  WriteInt(store, section, yKey, position.Y);
}

void ReadPlacementRect(const TStoredTextList& store, const std::string& section,
                       const std::string& leftKey, const std::string& topKey,
                       const std::string& widthKey, const std::string& heightKey, double& left,
                       double& top, double& width, double& height) {
  const TPlacementRect current{left, top, width, height};
  const TPlacementRect stored{ReadRealOrDefault(store, section, leftKey, left),
                              ReadRealOrDefault(store, section, topKey, top),
                              ReadRealOrDefault(store, section, widthKey, width),
                              ReadRealOrDefault(store, section, heightKey, height)};
  const TPlacementRect placed = ClampPlacementRect(stored, current);
  left = placed.Left;
  top = placed.Top;
  width = placed.Width;
  height = placed.Height;
}

void WritePlacementRect(TStoredTextList& store, const std::string& section,
                        const std::string& leftKey, const std::string& topKey,
                        const std::string& widthKey, const std::string& heightKey, double left,
                        double top, double width, double height) {
  WriteReal(store, section, leftKey, left);
  WriteReal(store, section, topKey, top);
  WriteReal(store, section, widthKey, width);
  WriteReal(store, section, heightKey, height);
}
