// The install window: installs the program from its distribution folder, or
// uninstalls it when started with "/Uninstall".
#pragma once

#include <string>

#include "platform/Widgets.h"

class TInstallForm : public TDialogWindow {
 public:
  bool Create();
  void Prepare(const std::string& name, const std::string& description, const std::string& version);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
};
