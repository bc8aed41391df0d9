// An INI file held in memory: ordered sections of ordered key/value pairs,
// names matched without regard to ASCII letter case.
//
// Reading a file (Parse) never fails: lines may end in CR, LF or CR LF, a
// leading UTF-8 byte order mark is skipped, blanks around names and values are
// trimmed, a section name ends at the line's last ']', and lines before the
// first section, comment lines (';') and lines without '=' are dropped. A repeated section is merged into its first
// occurrence and a repeated key keeps its first value, so what is read is what
// the next Serialize writes.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

struct TIniEntry {
  std::string Key;
  std::string Value;
};

class TIniSection {
 public:
  explicit TIniSection(const std::string& name) : Name(name) {}
  std::string Name;
  const std::vector<TIniEntry>& Entries() const { return entries_; }

  const TIniEntry* Find(const std::string& key) const;
  // Adds the key or, when present, replaces its value.
  void Set(const std::string& key, const std::string& value);
  // Adds the key only when it is absent; returns whether it was added.
  bool AddIfAbsent(const std::string& key, const std::string& value);
  bool Remove(const std::string& key);

 private:
  std::vector<TIniEntry> entries_;
  std::unordered_map<std::string, size_t> index_;  // folded key -> position
};

class TIniImage {
 public:
  static TIniImage Parse(const std::string& bytes);
  // "[Section]\r\n" then "Key=Value\r\n" per key; a blank line between sections.
  std::string Serialize() const;

  // True and the value when the key exists (an empty value counts as present).
  bool Read(const std::string& section, const std::string& key, std::string& value) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Line breaks in names and values would split the line in the file; they are
  // stored as blanks. Blanks around names and values are trimmed as the parser
  // does. Keys are the program's own names: no '=', no leading '[' or ';'.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  void DeleteKey(const std::string& section, const std::string& key);
  void EraseSection(const std::string& section);
  void Clear();

  const std::vector<TIniSection>& Sections() const { return sections_; }

 private:
  const TIniSection* FindSection(const std::string& name) const;
  TIniSection& SectionForWriting(const std::string& name);
  void Reindex();

  std::vector<TIniSection> sections_;
  std::unordered_map<std::string, size_t> index_;  // folded section name -> position
};
