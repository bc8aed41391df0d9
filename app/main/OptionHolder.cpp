#include "app/main/OptionHolder.h"

#include "app/main/CalendarSkinControls.h"
#include "platform/ControlValues.h"

namespace {

using TLoad = std::function<void(const TStoredTextList&, const TOption&)>;
using TSave = std::function<void(TStoredTextList&, const TOption&)>;

// A holder that reads and writes a row so, holding the given control or value.
template <typename T>
TOptionHolder Holder(T* TOptionHolder::*held, T* value, TLoad load, TSave save) {
  TOptionHolder holder;
  if (held) holder.*held = value;
  holder.Load = std::move(load);
  holder.Save = std::move(save);
  return holder;
}

// One section of the store as the catalogue's list readers want it.
TSectionReader SectionReader(const TStoredTextList& store, const std::string& section) {
  TSectionReader reader;
  reader.ReadText = [&store, section](const std::string& key) { return ReadString(store, section, key, ""); };
  reader.ReadInt = [&store, section](const std::string& key, int32_t defaultValue) {
    int32_t value = defaultValue;
    ReadInt(store, section, key, value, INT32_MAX, INT32_MIN);
    return value;
  };
  return reader;
}

}  // namespace

TOptionHolder CheckBoxHolder(TCheckBox& box) {
  return Holder(
      &TOptionHolder::CheckBox, &box,
      [&box](const TStoredTextList& store, const TOption& row) { ReadCheckBox(store, row.Section, row.Key(), box); },
      [&box](TStoredTextList& store, const TOption& row) { WriteCheckBox(store, row.Section, row.Key(), box); });
}

TOptionHolder ComboBoxHolder(TComboBox& box) {
  return Holder(
      &TOptionHolder::ComboBox, &box,
      [&box](const TStoredTextList& store, const TOption& row) {
        ReadComboBox(store, row.Section, row.Key(), row.DefaultText, box);
      },
      [&box](TStoredTextList& store, const TOption& row) { WriteComboBox(store, row.Section, row.Key(), box); });
}

TOptionHolder ColorPanelHolder(TColorPanel& panel) {
  return Holder(
      &TOptionHolder::ColorPanel, &panel,
      [&panel](const TStoredTextList& store, const TOption& row) {
        uint32_t color = row.DefaultColor;
        ReadColor(store, row.Section, row.Key(), color);
        TCalendarSkinControls::SetPanelColor(panel, color);
      },
      [&panel](TStoredTextList& store, const TOption& row) { WriteColor(store, row.Section, row.Key(), panel.Color()); });
}

TOptionHolder RealHolder(double& value) {
  return Holder(
      &TOptionHolder::Real, &value,
      [&value](const TStoredTextList& store, const TOption& row) { ReadReal(store, row.Section, row.Key(), value); },
      [&value](TStoredTextList& store, const TOption& row) { WriteReal(store, row.Section, row.Key(), value); });
}

TOptionHolder PathHolder(std::string& value) {
  return Holder(
      &TOptionHolder::Text, &value,
      [&value](const TStoredTextList& store, const TOption& row) {
        ReadText(store, row.Section, row.Key(), false, value, kMaxStoredPathLength);
      },
      [&value](TStoredTextList& store, const TOption& row) { WriteText(store, row.Section, row.Key(), value); });
}

TOptionHolder PlacementHolder(TCalendarPlacement& placement) {
  return Holder<double>(
      nullptr, nullptr,
      [&placement](const TStoredTextList& store, const TOption& row) {
        ReadPlacementRect(store, row.Section, row.Keys[0], row.Keys[1], row.Keys[2], row.Keys[3], placement.RectLeft,
                          placement.RectTop, placement.RectWidth, placement.RectHeight);
      },
      [&placement](TStoredTextList& store, const TOption& row) {
        WritePlacementRect(store, row.Section, row.Keys[0], row.Keys[1], row.Keys[2], row.Keys[3],
                           placement.RectLeft, placement.RectTop, placement.RectWidth, placement.RectHeight);
      });
}

TOptionHolder SectionHolder(std::function<void(const TStoredTextList&, const std::string& section)> load,
                            std::function<void(TStoredTextList&, const std::string& section)> save) {
  return Holder<double>(
      nullptr, nullptr, [load](const TStoredTextList& store, const TOption& row) { load(store, row.Section); },
      [save](TStoredTextList& store, const TOption& row) { save(store, row.Section); });
}

TOptionHolder KeyValueSectionHolder(std::function<void(const TSectionReader&)> load, std::function<TKeyValues()> save) {
  return SectionHolder([load](const TStoredTextList& store, const std::string& section) { load(SectionReader(store, section)); },
                       [save](TStoredTextList& store, const std::string& section) {
                         for (const auto& [key, value] : save()) WriteText(store, section, key, value);
                       });
}

TOptionHolder FindNamedHolder(const std::string& name,
                              std::initializer_list<std::pair<const char*, TOptionHolder>> holders) {
  for (const auto& [holderName, holder] : holders)
    if (name == holderName) return holder;
  return {};
}
