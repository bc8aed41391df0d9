// The naming rules of shortcut files.
#pragma once

#include <string>

// A path is a shortcut when its extension is ".lnk" or ".pif", in any case.
bool IsLinkFile(const std::string& path);

// The shortcut a folder holds for a target: the target's file name without
// its extension, plus ".lnk".
std::string LinkPathForTarget(const std::string& folder, const std::string& target);

// Whether an existing shortcut must be rewritten to match the wanted one.
struct TLinkFields {
  std::string ReferencePath;
  std::string WorkingPath;
  std::string Arguments;
  int ShowCommand = 0;
};
bool LinkNeedsRewrite(const TLinkFields& existing, const TLinkFields& wanted, bool minimized);
