#include "core/settings/ListItems.h"

std::vector<std::string> NumberItems(int first, int last, int step) {
  std::vector<std::string> items;
  for (int value = first; value <= last; value += step) items.push_back(std::to_string(value));
  return items;
}
