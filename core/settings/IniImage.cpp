#include "core/settings/IniImage.h"

#include "core/text/AsciiText.h"

namespace {


bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// What the file can hold on one line: no line breaks, no surrounding blanks.
std::string OneLine(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return Trim(line);
}

}  // namespace

const TIniEntry* TIniSection::Find(const std::string& key) const {
  const auto found = index_.find(LowerCaseAscii(key));
  return found == index_.end() ? nullptr : &entries_[found->second];
}

void TIniSection::Set(const std::string& key, const std::string& value) {
  const auto found = index_.find(LowerCaseAscii(key));
  if (found != index_.end()) {
    entries_[found->second].Value = value;
    return;
  }
  index_.emplace(LowerCaseAscii(key), entries_.size());
  entries_.push_back({key, value});
}

bool TIniSection::AddIfAbsent(const std::string& key, const std::string& value) {
  if (!index_.emplace(LowerCaseAscii(key), entries_.size()).second) return false;
  entries_.push_back({key, value});
  return true;
}

bool TIniSection::Remove(const std::string& key) {
  const auto found = index_.find(LowerCaseAscii(key));
  if (found == index_.end()) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(found->second));
  index_.clear();
  for (size_t i = 0; i < entries_.size(); ++i) index_.emplace(LowerCaseAscii(entries_[i].Key), i);
  return true;
}

TIniImage TIniImage::Parse(const std::string& bytes) {
  TIniImage image;
  size_t position = 0;
  // A byte order mark left by an editor would otherwise hide the first section.
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) position = 3;
  const size_t noSection = static_cast<size_t>(-1);
  size_t current = noSection;
  while (position < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", position);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = Trim(bytes.substr(position, end - position));
    position = end;
    if (position < bytes.size()) {
      const bool crlf = bytes[position] == '\r' && position + 1 < bytes.size() &&
                        bytes[position + 1] == '\n';
      position += crlf ? 2 : 1;
    }

    if (line.empty() || line[0] == ';') continue;
    const size_t closing = line[0] == '[' ? line.rfind(']') : std::string::npos;
    if (closing != std::string::npos) {
      // Text after the closing bracket, such as a comment, is not part of the name.
      const std::string name = Trim(line.substr(1, closing - 1));
      image.SectionForWriting(name);
      current = image.index_.at(LowerCaseAscii(name));
      continue;
    }
    if (current == noSection) continue;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, equals));
    if (key.empty()) continue;
    image.sections_[current].AddIfAbsent(key, Trim(line.substr(equals + 1)));
  }
  return image;
}

std::string TIniImage::Serialize() const {
  std::string text;
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += "[" + sections_[i].Name + "]\r\n";
    for (const TIniEntry& entry : sections_[i].Entries())
      text += entry.Key + "=" + entry.Value + "\r\n";
  }
  return text;
}

const TIniSection* TIniImage::FindSection(const std::string& name) const {
  const auto found = index_.find(LowerCaseAscii(name));
  return found == index_.end() ? nullptr : &sections_[found->second];
}

TIniSection& TIniImage::SectionForWriting(const std::string& name) {
  const auto found = index_.find(LowerCaseAscii(name));
  if (found != index_.end()) return sections_[found->second];
  index_.emplace(LowerCaseAscii(name), sections_.size());
  sections_.emplace_back(name);
  return sections_.back();
}

void TIniImage::Reindex() {
  index_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) index_.emplace(LowerCaseAscii(sections_[i].Name), i);
}

bool TIniImage::Read(const std::string& section, const std::string& key, std::string& value) const {
  const TIniSection* found = FindSection(section);
  const TIniEntry* entry = found ? found->Find(key) : nullptr;
  if (!entry) return false;
  value = entry->Value;
  return true;
}

std::string TIniImage::ReadString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const {
  std::string value;
  return Read(section, key, value) ? value : defaultValue;
}

void TIniImage::WriteString(const std::string& section, const std::string& key,
                            const std::string& value) {
  const std::string name = OneLine(key);
  if (name.empty()) return;  // the parser drops such a line, so it is never stored
  SectionForWriting(OneLine(section)).Set(name, OneLine(value));
}

bool TIniImage::SectionExists(const std::string& section) const {
  return FindSection(section) != nullptr;
}

bool TIniImage::ValueExists(const std::string& section, const std::string& key) const {
  const TIniSection* found = FindSection(section);
  return found && found->Find(key);
}

void TIniImage::DeleteKey(const std::string& section, const std::string& key) {
  const auto found = index_.find(LowerCaseAscii(section));
  if (found != index_.end()) sections_[found->second].Remove(key);
}

void TIniImage::EraseSection(const std::string& section) {
  const auto found = index_.find(LowerCaseAscii(section));
  if (found == index_.end()) return;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(found->second));
  Reindex();
}

void TIniImage::Clear() {
  sections_.clear();
  index_.clear();
}
