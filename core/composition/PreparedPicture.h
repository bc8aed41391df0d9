// The picture prepared in the background for the next change: what it was made from,
// and whether a change can use it, must compose as usual, or must throw it away.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/composition/PictureEffects.h"
#include "core/composition/ResizeRules.h"

// A file's size and last-write time; a file whose stamp changed holds another picture.
struct TFileStamp {
  bool Exists = false;
  uint64_t Size = 0;
  uint64_t LastWriteTime = 0;  // in the file system's own units
};

inline bool operator==(const TFileStamp& a, const TFileStamp& b) {
  return a.Exists == b.Exists && a.Size == b.Size && a.LastWriteTime == b.LastWriteTime;
}
inline bool operator!=(const TFileStamp& a, const TFileStamp& b) { return !(a == b); }

// Reads a file's stamp: the platform asks the file system, tests a table.
using TFileStampReader = std::function<TFileStamp(const std::string& fileName)>;

// Everything a fitted picture depends on.
struct TPreparationKey {
  std::string FileName;
  TFileStamp Stamp;
  TResizeRules Rules;
  TPictureEffects Effects;
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  uint64_t ListGeneration = 0;  // counts the loads of the picture list
};

// The key of a composition about to run, the file's stamp read now.
TPreparationKey PreparationKeyOf(const std::string& fileName, const TResizeRules& rules,
                                 const TPictureEffects& effects, int screenWidth, int screenHeight,
                                 uint64_t listGeneration, const TFileStampReader& readStamp);

enum class TPreparedPictureChoice {
  Use,        // it is the picture wanted, made exactly as it would be made now
  Recompose,  // another picture is wanted: compose as usual; the prepared one still holds
  Drop,       // it is stale (its file, the options, the screen or the list changed):
              // throw it away, cancelling a preparation in flight, and compose as usual
};

// What to do with a picture prepared for `prepared` when a change wants `wanted`.
// Names compare without regard to ASCII letter case, as the file system does.
TPreparedPictureChoice ChoosePreparedPicture(const TPreparationKey& prepared, const TPreparationKey& wanted);

// The same at an event that selects no picture (options, screen or list changed): Drop
// when the prepared picture no longer matches what a change would be made with.
bool PreparationIsStale(const TPreparationKey& prepared, const TPreparationKey& current);
