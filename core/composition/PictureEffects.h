// The "Effects" options as the fitting uses them.
#pragma once

#include <string>

struct TPictureEffects {
  bool Normalize = false;
  double Level = 0.5;  // percent x 0.01
  std::string Method = "Balanced scaling";
  int GammaPercent = 100;
};

inline bool operator==(const TPictureEffects& a, const TPictureEffects& b) {
  return a.Normalize == b.Normalize && a.Level == b.Level && a.Method == b.Method &&
         a.GammaPercent == b.GammaPercent;
}
inline bool operator!=(const TPictureEffects& a, const TPictureEffects& b) { return !(a == b); }
