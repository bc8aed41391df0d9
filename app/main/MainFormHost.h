// What the parts of the main window ask of the window that owns them.
#pragma once

#include <windows.h>

#include <string>

struct TOptionHolder;

class TMainFormHost {
 public:
  // The window that owns the parts' dialogs, menus and clipboard data.
  virtual HWND Owner() const = 0;
  // Composes the wallpaper from the current picture and installs it; reload
  // decodes the picture again, otherwise the kept fitted picture is reused.
  virtual bool Recompose(bool reload) = 0;
  // The picture list was loaded anew: what was prepared for the old one is void.
  virtual void PictureListLoaded() = 0;
  // True while the program sets its controls itself: nothing composes then.
  virtual bool UpdatingControls() const = 0;
  virtual void SetUpdatingControls(bool updating) = 0;
  // True while the options file is being read into the controls.
  virtual bool OptionsLoading() const = 0;
  // The "Desktop margin" option of the "General" page, in pixels.
  virtual int DesktopMargin() const = 0;
  virtual void ShowDirectoriesPage() = 0;
  virtual void SetTrayTip(const std::string& tip) = 0;
  virtual void TerminateProgram() = 0;

 protected:
  ~TMainFormHost() = default;
};

// While the program itself sets controls, no change composes.
class TUpdatingControls {
 public:
  explicit TUpdatingControls(TMainFormHost& host) : host_(host), previous_(host.UpdatingControls()) {
    host_.SetUpdatingControls(true);
  }
  ~TUpdatingControls() { host_.SetUpdatingControls(previous_); }
  TUpdatingControls(const TUpdatingControls&) = delete;
  TUpdatingControls& operator=(const TUpdatingControls&) = delete;

 private:
  TMainFormHost& host_;
  bool previous_;
};
