#include "core/composition/PreparedPicture.h"

#include "core/text/AsciiText.h"

namespace {

bool SameRules(const TResizeRules& a, const TResizeRules& b) {
  return a.MinStretchSize == b.MinStretchSize && a.MaxStretchSkew == b.MaxStretchSkew &&
         a.FitAndCrop == b.FitAndCrop && a.Stretch == b.Stretch && a.FitBeforeTile == b.FitBeforeTile &&
         a.Tile == b.Tile && a.FillingColor == b.FillingColor;
}

// What every picture of the list is fitted with.
bool SameSurroundings(const TPreparationKey& a, const TPreparationKey& b) {
  return SameRules(a.Rules, b.Rules) && a.Effects == b.Effects && a.ScreenWidth == b.ScreenWidth &&
         a.ScreenHeight == b.ScreenHeight && a.ListGeneration == b.ListGeneration;
}

}  // namespace

TPreparationKey PreparationKeyOf(const std::string& fileName, const TResizeRules& rules,
                                 const TPictureEffects& effects, int screenWidth, int screenHeight,
                                 uint64_t listGeneration, const TFileStampReader& readStamp) {
  TPreparationKey key;
  key.FileName = fileName;
  if (readStamp) key.Stamp = readStamp(fileName);
  key.Rules = rules;
  key.Effects = effects;
  key.ScreenWidth = screenWidth;
  key.ScreenHeight = screenHeight;
  key.ListGeneration = listGeneration;
  return key;
}

bool PreparationIsStale(const TPreparationKey& prepared, const TPreparationKey& current) {
  return !SameSurroundings(prepared, current);
}

TPreparedPictureChoice ChoosePreparedPicture(const TPreparationKey& prepared, const TPreparationKey& wanted) {
  if (PreparationIsStale(prepared, wanted)) return TPreparedPictureChoice::Drop;
  if (prepared.FileName.empty() || !SameTextAscii(prepared.FileName, wanted.FileName))
    return TPreparedPictureChoice::Recompose;
  // The same name with other contents, or gone: what was prepared is not what the file holds.
  if (!prepared.Stamp.Exists || prepared.Stamp != wanted.Stamp) return TPreparedPictureChoice::Drop;
  return TPreparedPictureChoice::Use;
}
