// Item lists of the drop-down lists the settings offer.
#pragma once

#include <string>
#include <vector>

// The numbers first, first + step, ... up to last, as texts.
std::vector<std::string> NumberItems(int first, int last, int step);
