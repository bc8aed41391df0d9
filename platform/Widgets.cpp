#include "platform/Widgets.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "core/trace/FunStatus.h"
#include "platform/HandleHolders.h"
#include "platform/WinText.h"

// ---- TControl ----

TControl::~TControl() {
  if (subclassed_ && IsWindow(handle_)) RemoveWindowSubclass(handle_, SubclassProc, 1);
  if (owner_) owner_->Unregister(*this);
}

void TControl::Bind(TDialogWindow& owner, int id) {
  owner_ = &owner;
  id_ = id;
  handle_ = GetDlgItem(owner.Handle(), id);
  owner.Register(*this);
  AfterAttach();
}

void TControl::Create(TDialogWindow& owner, int id, const char* className, const std::string& text, DWORD style,
                      int x, int y, int width, int height, DWORD exStyle) {
  CreateInPixels(owner, id, className, text, style, owner.DialogUnitsToPixels(x, y, width, height), exStyle);
}

void TControl::CreateInPixels(TDialogWindow& owner, int id, const char* className, const std::string& text,
                              DWORD style, const RECT& r, DWORD exStyle) {
  owner_ = &owner;
  id_ = id;
  handle_ = CreateWindowExA(exStyle, className, text.c_str(), style | WS_CHILD | WS_VISIBLE, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, owner.Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(handle_, WM_SETFONT, SendMessageA(owner.Handle(), WM_GETFONT, 0, 0), TRUE);
  owner.Register(*this);
  AfterAttach();
}

std::string TControl::Text() const { return WindowText(handle_); }
void TControl::SetText(const std::string& text) { SetWindowTextA(handle_, text.c_str()); }
void TControl::SetEnabled(bool enabled) { EnableWindow(handle_, enabled); }
bool TControl::Enabled() const { return IsWindowEnabled(handle_) != FALSE; }
void TControl::SetVisible(bool visible) { ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE); }
bool TControl::Visible() const { return IsWindowVisible(handle_) != FALSE; }
void TControl::SetFocus() { ::SetFocus(handle_); }
void TControl::Invalidate() { InvalidateRect(handle_, nullptr, TRUE); }

void TControl::SetHint(const std::string& hint) {
  hint_ = hint;
  if (!owner_ || !handle_) return;
  TOOLINFOA info = {};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = owner_->Handle();
  info.uId = reinterpret_cast<UINT_PTR>(handle_);
  info.lpszText = const_cast<char*>(hint_.c_str());
  HWND tooltip = owner_->Tooltip();
  SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  if (!hint_.empty()) SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void TControl::EnableMouseEvents() {
  if (subclassed_ || !handle_) return;
  subclassed_ = SetWindowSubclass(handle_, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

namespace {

TMouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return TMouseButton::Right;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return TMouseButton::Middle;
    default: return TMouseButton::Left;
  }
}

}  // namespace

bool TControl::HandleSubclassed(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(ButtonOf(message), x, y, false);
      break;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
      if (OnMouseDown) OnMouseDown(ButtonOf(message), x, y, true);
      break;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
      if (OnMouseUp) OnMouseUp(ButtonOf(message), x, y);
      break;
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(x, y);
      break;
    default: break;
  }
  return false;
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR data) {
  auto* control = reinterpret_cast<TControl*>(data);
  LRESULT result = 0;
  try {
    if (control->HandleSubclassed(message, wParam, lParam, result)) return result;
  } catch (const std::exception& e) {
    FunStatContext.OnApplicationException(e.what());
  } catch (...) {
    FunStatContext.OnApplicationException("Unknown exception.");
  }
  if (message == WM_NCDESTROY) {
    control->subclassed_ = false;
    RemoveWindowSubclass(window, SubclassProc, 1);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// ---- TLinkLabel ----

void TLinkLabel::AfterAttach() {
  SetWindowLongPtrA(handle_, GWL_STYLE, GetWindowLongPtrA(handle_, GWL_STYLE) | SS_NOTIFY | WS_TABSTOP);
  // The keyboard and the focus frame come through the subclass.
  EnableMouseEvents();
  // One underlined copy of the dialog font serves every link of the process.
  static HFONT linkFont = nullptr;
  if (!linkFont) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(owner_->Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfUnderline = TRUE;
    linkFont = CreateFontIndirectA(&font);
  }
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont), FALSE);
}

void TLinkLabel::HandleCommand(int notifyCode) {
  if (notifyCode == STN_CLICKED && OnClick) OnClick();
}

namespace {

bool IsClickKey(WPARAM key) { return key == VK_RETURN || key == VK_SPACE; }

}  // namespace

bool TLinkLabel::HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter goes to the link, not to the dialog's default button.
      result = DefSubclassProc(handle_, message, wParam, lParam) | DLGC_WANTCHARS;
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      if (key && key->message == WM_KEYDOWN && IsClickKey(key->wParam)) result |= DLGC_WANTMESSAGE;
      return true;
    }
    case WM_KEYDOWN:
      if (!IsClickKey(wParam)) break;
      result = 0;
      // The command may end the window: nothing of it is touched afterwards.
      if (OnClick) OnClick();
      return true;
    case WM_CHAR:
      if (wParam != '\r' && wParam != ' ') break;
      result = 0;  // already clicked by the key itself
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(handle_, nullptr, TRUE);
      break;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      PAINTSTRUCT paint;
      HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(handle_, &paint);
      DefSubclassProc(handle_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
      if (GetFocus() == handle_) {
        RECT frame;
        GetClientRect(handle_, &frame);
        DrawFocusRect(dc, &frame);
      }
      if (!wParam) EndPaint(handle_, &paint);
      result = 0;
      return true;
    }
    default: break;
  }
  return TControl::HandleSubclassed(message, wParam, lParam, result);
}

HBRUSH TLinkLabel::HandleColorStatic(HDC dc) {
  SetTextColor(dc, RGB(0, 70, 200));
  SetBkMode(dc, TRANSPARENT);
  return GetSysColorBrush(COLOR_BTNFACE);
}

bool TLinkLabel::HandleSetCursor() {
  SetCursor(LoadCursor(nullptr, IDC_HAND));
  return true;
}

// ---- TCheckBox ----

bool TCheckBox::Checked() const { return SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  SendMessageA(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::HandleCommand(int notifyCode) {
  if (notifyCode == BN_CLICKED && OnClick) OnClick();
}

// ---- TButton ----

void TButton::PostClick() {
  if (owner_)
    PostMessageA(owner_->Handle(), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED), reinterpret_cast<LPARAM>(handle_));
}

void TButton::HandleCommand(int notifyCode) {
  if (notifyCode == BN_CLICKED && OnClick) OnClick();
}

// ---- TEdit ----

void TEdit::HandleCommand(int notifyCode) {
  if (notifyCode == EN_CHANGE && OnChange) OnChange();
}

namespace {

// An item's text from a drop-down or plain list, by the list's own length and
// text messages; empty for an index the list does not have.
std::string ListItemText(HWND list, UINT lengthMessage, UINT textMessage, int index) {
  static_assert(CB_ERR == LB_ERR, "both lists answer an unknown index alike");
  const LRESULT length = SendMessageA(list, lengthMessage, index, 0);
  if (length == CB_ERR) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(list, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

// ---- TComboBox ----

void TComboBox::SetItems(const std::vector<std::string>& items) {
  SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::vector<std::string> TComboBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0; i < Count(); ++i) items.push_back(Item(i));
  return items;
}

int TComboBox::Count() const { return static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0)); }

std::string TComboBox::Item(int index) const { return ListItemText(handle_, CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0)); }
void TComboBox::SetItemIndex(int index) { SendMessageA(handle_, CB_SETCURSEL, index, 0); }

bool TComboBox::IsDropDownList() const {
  return (GetWindowLongPtrA(handle_, GWL_STYLE) & 3) == CBS_DROPDOWNLIST;
}

std::string TComboBox::Text() const {
  if (IsDropDownList()) return Item(ItemIndex());
  return WindowText(handle_);
}

void TComboBox::SetText(const std::string& text) {
  if (!IsDropDownList()) {
    SetWindowTextA(handle_, text.c_str());
    return;
  }
  const LRESULT found = SendMessageA(handle_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text.c_str()));
  SetItemIndex(found == CB_ERR ? -1 : static_cast<int>(found));
}

void TComboBox::HandleCommand(int notifyCode) {
  if (notifyCode == CBN_SELCHANGE && OnChange) OnChange();
}

// ---- TListBox ----

void TListBox::AfterAttach() { EnableMouseEvents(); }

int TListBox::Count() const { return static_cast<int>(SendMessageA(handle_, LB_GETCOUNT, 0, 0)); }

int TListBox::AddItem(const std::string& text, LPARAM data) {
  // The list is owner-drawn with LBS_HASSTRINGS: the row keeps its text and its number.
  const int index = static_cast<int>(SendMessageA(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  if (index >= 0) SetItemData(index, data);
  return index;
}

void TListBox::DeleteItem(int index) { SendMessageA(handle_, LB_DELETESTRING, index, 0); }
void TListBox::Clear() { SendMessageA(handle_, LB_RESETCONTENT, 0, 0); }

std::string TListBox::ItemText(int index) const { return ListItemText(handle_, LB_GETTEXTLEN, LB_GETTEXT, index); }

LPARAM TListBox::ItemData(int index) const { return SendMessageA(handle_, LB_GETITEMDATA, index, 0); }
void TListBox::SetItemData(int index, LPARAM data) { SendMessageA(handle_, LB_SETITEMDATA, index, data); }
int TListBox::ItemIndex() const { return static_cast<int>(SendMessageA(handle_, LB_GETCURSEL, 0, 0)); }
void TListBox::SetItemIndex(int index) { SendMessageA(handle_, LB_SETCURSEL, index, 0); }
int TListBox::ItemHeight() const { return static_cast<int>(SendMessageA(handle_, LB_GETITEMHEIGHT, 0, 0)); }
void TListBox::SetItemHeight(int height) { SendMessageA(handle_, LB_SETITEMHEIGHT, 0, height); }

int TListBox::ItemAt(int x, int y) const {
  const LRESULT hit = SendMessageA(handle_, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
  if (HIWORD(hit) != 0) return -1;  // outside every row
  const int index = LOWORD(hit);
  return index < Count() ? index : -1;
}

void TListBox::HandleCommand(int notifyCode) {
  if (notifyCode == LBN_SELCHANGE && OnSelect) OnSelect();
}

bool TListBox::HandleDrawItem(const DRAWITEMSTRUCT& item) {
  if (static_cast<int>(item.itemID) < 0) return true;
  if (OnDrawItem) OnDrawItem(static_cast<int>(item.itemID), item.hDC, item.rcItem, item.itemState);
  return true;
}

bool TListBox::HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_CHAR && OnKeyPress && OnKeyPress(static_cast<char>(wParam))) {
    result = 0;
    return true;
  }
  return TControl::HandleSubclassed(message, wParam, lParam, result);
}

// ---- TColorPanel ----

void TColorPanel::AfterAttach() {
  LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
  style = (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | SS_OWNERDRAW | SS_NOTIFY;
  SetWindowLongPtrA(handle_, GWL_STYLE, style);
  SetWindowLongPtrA(handle_, GWL_EXSTYLE, GetWindowLongPtrA(handle_, GWL_EXSTYLE) | WS_EX_STATICEDGE);
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EnableMouseEvents();
}

void TColorPanel::SetColor(COLORREF color) {
  color_ = color;
  Invalidate();
}

bool TColorPanel::HandleDrawItem(const DRAWITEMSTRUCT& item) {
  const TGdiObjectHolder brush(CreateSolidBrush(color_ & 0xFFFFFF));
  FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(brush.Get()));
  if (!Caption.empty()) {
    // Caption in black or white, whichever reads better on the colour.
    const int luma = (GetRValue(color_) * 299 + GetGValue(color_) * 587 + GetBValue(color_) * 114) / 1000;
    SetTextColor(item.hDC, luma < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0));
    SetBkMode(item.hDC, TRANSPARENT);
    RECT text = item.rcItem;
    DrawTextA(item.hDC, Caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  }
  return true;
}

// ---- TPageControl ----

void TPageControl::AddPage(const std::string& caption, TDialogWindow& page) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(caption.c_str());
  SendMessageA(handle_, TCM_INSERTITEMA, pages_.size(), reinterpret_cast<LPARAM>(&item));
  pages_.push_back(&page);
  LayoutPages();
  ShowWindow(page.Handle(), pages_.size() == 1 ? SW_SHOW : SW_HIDE);
}

void TPageControl::LayoutPages() {
  RECT area;
  GetWindowRect(handle_, &area);
  MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&area), 2);
  SendMessageA(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (TDialogWindow* page : pages_)
    SetWindowPos(page->Handle(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
}

int TPageControl::ActivePage() const { return static_cast<int>(SendMessageA(handle_, TCM_GETCURSEL, 0, 0)); }

void TPageControl::SetActivePage(int index) {
  if (index < 0 || index >= PageCount()) return;
  SendMessageA(handle_, TCM_SETCURSEL, index, 0);
  for (int i = 0; i < PageCount(); ++i) ShowWindow(pages_[i]->Handle(), i == index ? SW_SHOW : SW_HIDE);
  if (OnPageShow) OnPageShow(index);
}

bool TPageControl::HandleNotify(const NMHDR& header) {
  if (header.hwndFrom != handle_ || header.code != TCN_SELCHANGE) return false;
  SetActivePage(ActivePage());
  return true;
}

// ---- TDialogWindow ----

TDialogWindow::~TDialogWindow() {
  DetachControls();
  if (handle_ && !modal_) DestroyWindow(handle_);
}

void TDialogWindow::DetachControls() {
  for (TControl* control : controls_) control->owner_ = nullptr;
  controls_.clear();
  pageControls_.clear();
}

bool TDialogWindow::CreateModeless(int templateId, HWND parent) {
  handle_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, DialogProc,
                               reinterpret_cast<LPARAM>(this));
  return handle_ != nullptr;
}

INT_PTR TDialogWindow::ShowModal(int templateId, HWND parent) {
  modal_ = true;
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                                         DialogProc, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  handle_ = nullptr;
  DetachControls();
  tooltip_ = nullptr;
  return result;
}

void TDialogWindow::EndModal(INT_PTR result) {
  if (modal_) EndDialog(handle_, result);
  if (modalLoop_) {
    modalResult_ = result;
    modalLoop_ = false;
  }
}

namespace {

// The enabled top-level windows of this thread other than one.
std::vector<HWND> EnabledThreadWindows(HWND except) {
  struct TSearch {
    HWND except;
    std::vector<HWND> found;
  } search{except, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(data);
        if (window != s->except && IsWindowEnabled(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

INT_PTR TDialogWindow::ShowModalWindow(HWND owner, bool taskModal) {
  std::vector<HWND> disabled = taskModal ? EnabledThreadWindows(handle_) : std::vector<HWND>();
  if (!taskModal && owner && IsWindowEnabled(owner)) disabled.push_back(owner);
  for (HWND window : disabled) EnableWindow(window, FALSE);
  modalLoop_ = true;
  modalResult_ = IDCANCEL;
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);
  MSG message;
  while (modalLoop_ && IsWindow(handle_)) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // Keep the quit request for the outer loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageA(handle_, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  modalLoop_ = false;
  // Enabled again before this window hides, so that activation can return to them.
  for (HWND window : disabled)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  ShowWindow(handle_, SW_HIDE);
  if (owner && IsWindowVisible(owner)) SetForegroundWindow(owner);
  return modalResult_;
}

void TDialogWindow::Register(TControl& control) {
  controls_.push_back(&control);
  if (auto* pages = dynamic_cast<TPageControl*>(&control)) pageControls_.push_back(pages);
}

void TDialogWindow::Unregister(TControl& control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
  // Compared by address: while the control is being destroyed it is no page control any more.
  pageControls_.erase(std::remove_if(pageControls_.begin(), pageControls_.end(),
                                     [&control](TPageControl* pages) {
                                       return static_cast<const void*>(pages) == static_cast<const void*>(&control);
                                     }),
                      pageControls_.end());
  if (static_cast<const void*>(EscapeButton) == static_cast<const void*>(&control)) EscapeButton = nullptr;
}

HWND TDialogWindow::Tooltip() {
  if (!tooltip_) {
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    // Hint timing: 400 ms to show, 10 s to hide, 200 ms between neighbours.
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, 400);
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 10000);
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_RESHOW, 200);
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  return tooltip_;
}

RECT TDialogWindow::DialogUnitsToPixels(int x, int y, int width, int height) const {
  RECT rect = {x, y, x + width, y + height};
  MapDialogRect(handle_, &rect);
  return rect;
}

TControl* TDialogWindow::Find(int id) const {
  for (TControl* control : controls_)
    if (control->Id() == id) return control;
  return nullptr;
}

TControl* TDialogWindow::Find(HWND window) const {
  for (TControl* control : controls_)
    if (control->Handle() == window) return control;
  return nullptr;
}

bool TDialogWindow::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR TDialogWindow::Route(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = 0;
  if (OnMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_COMMAND: {
      TControl* control = Find(LOWORD(wParam));
      // The dialog manager turns the Escape key into the cancel command.
      if (!control && LOWORD(wParam) == IDCANCEL) control = EscapeButton;
      if (control) {
        control->HandleCommand(HIWORD(wParam));
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (TControl* control = Find(static_cast<int>(item->CtlID))) return control->HandleDrawItem(*item);
      break;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (TControl* control = Find(static_cast<int>(item->CtlID))) return control->HandleMeasureItem(*item);
      break;
    }
    case WM_CTLCOLORSTATIC:
      if (TControl* control = Find(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = control->HandleColorStatic(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<INT_PTR>(brush);
      break;
    case WM_SETCURSOR:
      if (TControl* control = Find(reinterpret_cast<HWND>(wParam)))
        if (control->HandleSetCursor()) {
          SetWindowLongPtrA(handle_, DWLP_MSGRESULT, TRUE);
          return TRUE;
        }
      break;
    case WM_NOTIFY:
      for (TPageControl* pages : pageControls_)
        if (pages->HandleNotify(*reinterpret_cast<const NMHDR*>(lParam))) return TRUE;
      break;
    default: break;
  }
  return FALSE;
}

INT_PTR CALLBACK TDialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TDialogWindow*>(GetWindowLongPtrA(window, DWLP_USER));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<TDialogWindow*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->handle_ = window;
    self->OnInitDialog();
    return TRUE;
  }
  if (!self) return FALSE;
  // An exception that escapes an event handler goes to the error window, never
  // through the system's frames.
  try {
    return self->Route(message, wParam, lParam);
  } catch (const std::exception& e) {
    FunStatContext.OnApplicationException(e.what());
  } catch (...) {
    FunStatContext.OnApplicationException("Unknown exception.");
  }
  return FALSE;
}

// ---- InputBox ----

namespace {

// A dialog template built in memory, so the input box needs no resource.
class TTemplateWriter {
 public:
  void Word(WORD value) { data_.push_back(value); }
  void DWord(DWORD value) { Word(LOWORD(value)); Word(HIWORD(value)); }
  void Text(const std::string& text) {
    for (wchar_t c : AnsiToWide(text)) Word(static_cast<WORD>(c));
    Word(0);
  }
  void Align() { if (data_.size() % 2) Word(0); }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const std::string& text) {
    Align();
    DWord(style | WS_CHILD | WS_VISIBLE);
    DWord(0);  // extended style
    Word(static_cast<WORD>(x)); Word(static_cast<WORD>(y)); Word(static_cast<WORD>(cx)); Word(static_cast<WORD>(cy));
    Word(id);
    Word(0xFFFF); Word(classAtom);
    Text(text);
    Word(0);  // no creation data
  }
  const void* Data() const { return data_.data(); }

 private:
  std::vector<WORD> data_;
};

struct TInputState {
  std::string prompt, text;
};

INT_PTR CALLBACK InputProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<TInputState*>(GetWindowLongPtrA(window, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(window, DWLP_USER, lParam);
      state = reinterpret_cast<TInputState*>(lParam);
      SetDlgItemTextA(window, 100, state->prompt.c_str());
      SetDlgItemTextA(window, 101, state->text.c_str());
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) state->text = WindowText(GetDlgItem(window, 101));
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(window, LOWORD(wParam));
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

std::string InputBox(HWND owner, const std::string& caption, const std::string& prompt,
                     const std::string& initial) {
  TTemplateWriter t;
  const DWORD style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  t.DWord(style); t.DWord(0); t.Word(4);
  t.Word(0); t.Word(0); t.Word(200); t.Word(70);
  t.Word(0); t.Word(0);  // no menu, default class
  t.Text(caption);
  t.Word(9); t.Text("Arial");
  t.Item(SS_LEFT, 7, 7, 186, 10, 100, 0x0082, "");
  t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 20, 186, 13, 101, 0x0081, "");
  t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 89, 48, 50, 14, IDOK, 0x0080, "OK");
  t.Item(BS_PUSHBUTTON | WS_TABSTOP, 143, 48, 50, 14, IDCANCEL, 0x0080, "Cancel");
  TInputState state{prompt, initial};
  DialogBoxIndirectParamA(GetModuleHandleA(nullptr), static_cast<const DLGTEMPLATE*>(t.Data()), owner, InputProc,
                          reinterpret_cast<LPARAM>(&state));
  return state.text;
}
