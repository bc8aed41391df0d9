// The small widget toolkit the windows are made of: plain C++ over real Win32
// controls, one HWND each, events as std::function members. Windows are
// dialog templates; a dialog routes its messages to the controls bound to it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TDialogWindow;

enum class TMouseButton { Left, Right, Middle };

class TControl {
 public:
  // The control's window may outlive this object (it goes with its dialog's
  // window): the object leaves its dialog and stops hearing the window first.
  virtual ~TControl();

  // Binds a control that the dialog template created.
  void Bind(TDialogWindow& owner, int id);
  // Creates a control in code, at a rectangle given in dialog units.
  void Create(TDialogWindow& owner, int id, const char* className, const std::string& text, DWORD style,
              int x, int y, int width, int height, DWORD exStyle = 0);

  // Creates a control in code, at a rectangle given in pixels of the owner's client area.
  void CreateInPixels(TDialogWindow& owner, int id, const char* className, const std::string& text, DWORD style,
                      const RECT& pixels, DWORD exStyle = 0);

  HWND Handle() const { return handle_; }
  int Id() const { return id_; }
  TDialogWindow* Owner() const { return owner_; }

  std::string Text() const;
  void SetText(const std::string& text);
  void SetEnabled(bool enabled);
  void SetVisible(bool visible);
  bool Visible() const;
  void SetFocus();
  void Invalidate();
  void SetHint(const std::string& hint);
  const std::string& Hint() const { return hint_; }

  // Mouse events, delivered once EnableMouseEvents has subclassed the control.
  std::function<void(TMouseButton button, int x, int y, bool doubleClick)> OnMouseDown;
  std::function<void(TMouseButton button, int x, int y)> OnMouseUp;
  std::function<void(int x, int y)> OnMouseMove;

  // Routed by the owner dialog.
  virtual void HandleCommand(int notifyCode) { (void)notifyCode; }
  virtual bool HandleDrawItem(const DRAWITEMSTRUCT& item) { (void)item; return false; }
  virtual bool HandleMeasureItem(MEASUREITEMSTRUCT& item) { (void)item; return false; }
  virtual HBRUSH HandleColorStatic(HDC dc) { (void)dc; return nullptr; }
  virtual bool HandleSetCursor() { return false; }

 protected:
  virtual void AfterAttach() {}
  // Returns true when the message is consumed.
  virtual bool HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void EnableMouseEvents();

  HWND handle_ = nullptr;
  int id_ = 0;
  TDialogWindow* owner_ = nullptr;
  std::string hint_;

 private:
  friend class TDialogWindow;
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  bool subclassed_ = false;
};

// A plain text label.
class TLabel : public TControl {};

// A command: underlined text in the link colour with the hand cursor. It is a
// tab stop; Enter and Space click it, and a dotted frame shows its focus.
class TLinkLabel : public TControl {
 public:
  std::function<void()> OnClick;
  void HandleCommand(int notifyCode) override;
  HBRUSH HandleColorStatic(HDC dc) override;
  bool HandleSetCursor() override;

 protected:
  void AfterAttach() override;
  bool HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class TCheckBox : public TControl {
 public:
  std::function<void()> OnClick;
  bool Checked() const;
  // Setting the state from code fires no OnClick.
  void SetChecked(bool checked);
  void HandleCommand(int notifyCode) override;
};

class TComboBox : public TControl {
 public:
  std::function<void()> OnChange;
  void SetItems(const std::vector<std::string>& items);
  std::vector<std::string> Items() const;
  int Count() const;
  std::string Item(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  bool IsDropDownList() const;
  // The shown text: the selected item of a list, the edit text of an editable box.
  std::string Text() const;
  void SetText(const std::string& text);
  void HandleCommand(int notifyCode) override;
};

// An owner-drawn list whose rows carry a text and a number.
class TListBox : public TControl {
 public:
  std::function<void(int index, HDC dc, const RECT& rect, UINT state)> OnDrawItem;
  // Return true to swallow the typed character.
  std::function<bool(char key)> OnKeyPress;
  std::function<void()> OnSelect;

  int Count() const;
  int AddItem(const std::string& text, LPARAM data);
  void DeleteItem(int index);
  void Clear();
  std::string ItemText(int index) const;
  LPARAM ItemData(int index) const;
  void SetItemData(int index, LPARAM data);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int ItemHeight() const;
  void SetItemHeight(int height);
  // The row under a client point, or -1.
  int ItemAt(int x, int y) const;

  void HandleCommand(int notifyCode) override;
  bool HandleDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  void AfterAttach() override;
  bool HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// A small panel showing one colour; its tag holds the factory colour.
class TColorPanel : public TControl {
 public:
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);
  COLORREF Tag = 0;
  std::string Caption;
  bool HandleDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  void AfterAttach() override;

 private:
  COLORREF color_ = 0;
};

// A tab control whose pages are child dialogs.
class TPageControl : public TControl {
 public:
  void AddPage(const std::string& caption, TDialogWindow& page);
  int ActivePage() const;
  void SetActivePage(int index);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  // Called after a page became visible, with its index.
  std::function<void(int index)> OnPageShow;
  // Places the pages inside the tab's display area.
  void LayoutPages();
  bool HandleNotify(const NMHDR& header);

 private:
  std::vector<TDialogWindow*> pages_;
};

// A window made from a dialog template: a modeless form, a modal dialog or a page.
class TDialogWindow {
 public:
  virtual ~TDialogWindow();
  bool CreateModeless(int templateId, HWND parent);
  INT_PTR ShowModal(int templateId, HWND parent);
  HWND Handle() const { return handle_; }
  void Register(TControl& control);
  void Unregister(TControl& control);
  // Shows a window made by CreateModeless as a modal one: the owner (with
  // taskModal every other top-level window of this thread, as a task-modal
  // message box does) is disabled and a nested message loop runs until EndModal.
  INT_PTR ShowModalWindow(HWND owner, bool taskModal = false);
  void EndModal(INT_PTR result);
  bool IsModal() const { return modal_ || modalLoop_; }
  // The tooltip window that shows the hints of this dialog's controls.
  HWND Tooltip();
  // Converts dialog units of this dialog to pixels.
  RECT DialogUnitsToPixels(int x, int y, int width, int height) const;

 protected:
  virtual void OnInitDialog() {}
  // Return true when handled; result goes back to the dialog manager.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  HWND handle_ = nullptr;

 private:
  // Forgets the controls, and they this dialog.
  void DetachControls();
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Route(UINT message, WPARAM wParam, LPARAM lParam);
  TControl* Find(int id) const;
  TControl* Find(HWND window) const;

  std::vector<TControl*> controls_;
  std::vector<TPageControl*> pageControls_;
  HWND tooltip_ = nullptr;
  bool modal_ = false;
  bool modalLoop_ = false;
  INT_PTR modalResult_ = 0;
};

// Modal text input: caption, prompt and initial text; Cancel returns the initial text.
std::string InputBox(HWND owner, const std::string& caption, const std::string& prompt,
                     const std::string& initial);
