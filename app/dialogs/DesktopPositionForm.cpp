#include "app/dialogs/DesktopPositionForm.h"

#include "core/trace/FunStatus.h"
#include "platform/HandleHolders.h"
#include "platform/WindowPlacement.h"
#include "resources/resource.h"

TDesktopPositionForm* DesktopPositionForm = nullptr;

namespace {

// The window's pixel layout at 96 DPI.
constexpr int kClientWidth = 300, kClientHeight = 330;
constexpr int kPanelLeft = 50, kPanelTop = 70, kPanelSize = 200;

}  // namespace

// ---- TPaintBox ----

void TPaintBox::AfterAttach() { EnableMouseEvents(); }

bool TPaintBox::HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_ERASEBKGND) {
    result = 1;
    return true;
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle_, &paint);
    RECT area;
    GetClientRect(handle_, &area);
    if (Picture) BitBlt(dc, 0, 0, area.right, area.bottom, Picture, 0, 0, SRCCOPY);
    EndPaint(handle_, &paint);
    result = 0;
    return true;
  }
  return TControl::HandleSubclassed(message, wParam, lParam, result);
}

// ---- TDesktopPositionForm ----

TDesktopPositionForm::TDesktopPositionForm() { DesktopPositionForm = this; }

TDesktopPositionForm::~TDesktopPositionForm() {
  ReleasePicture();
  if (DesktopPositionForm == this) DesktopPositionForm = nullptr;
}

bool TDesktopPositionForm::Create(HWND owner) { return CreateModeless(IDD_DESKTOP_POSITION, owner); }

int TDesktopPositionForm::Scaled(int pixels) const { return ScaleForDpi(handle_, pixels); }

void TDesktopPositionForm::OnInitDialog() {
  RECT frame = {0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_EXSTYLE)));
  SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  TextLabel.Bind(*this, IDC_DESKTOP_POSITION_TEXT);
  SetWindowPos(TextLabel.Handle(), nullptr, Scaled(10), Scaled(10), Scaled(280), Scaled(45), SWP_NOZORDER);
  PaintBox.Bind(*this, IDC_DESKTOP_POSITION_PAINTBOX);
  PaintBox.OnMouseMove = [this](int x, int y) { PaintBoxMouseMove(x, y); };
  PaintBox.OnMouseDown = [this](TMouseButton, int x, int y, bool) {
    // The click's own position counts, even without a move before it.
    candidate_ = CandidateBox(preview_, x, y);
    EndModal(IDOK);
  };
  SetWindowPos(GetDlgItem(handle_, IDCANCEL), nullptr, Scaled(115), Scaled(293), Scaled(75), Scaled(25), SWP_NOZORDER);
}

bool TDesktopPositionForm::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  if ((message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE) {
    EndModal(IDCANCEL);
    result = TRUE;
    return true;
  }
  return false;
}

TBox TDesktopPositionForm::CalendarWorkArea(int margin) {
  RECT area = {};
  GetWorkArea(area);
  return TBox{area.left + margin, area.top + margin, area.right - margin, area.bottom - margin};
}

void TDesktopPositionForm::ReleasePicture() {
  PaintBox.Picture = nullptr;
  picture_.reset();
}

void TDesktopPositionForm::MakePicture() {
  ReleasePicture();
  const TWindowDcHolder screen(nullptr);
  picture_.emplace(CreateCompatibleBitmap(screen.Get(), preview_.Width > 0 ? preview_.Width : 1,
                                          preview_.Height > 0 ? preview_.Height : 1));
  PaintBox.Picture = picture_->Dc();
}

namespace {

// A box or the ellipse in it, filled with one system colour and outlined in the window-text colour.
void DrawPlace(HDC dc, const TBox& box, bool ellipse, int fillColorIndex) {
  const TSelection brush(dc, GetSysColorBrush(fillColorIndex));
  const TGdiObjectHolder pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT)));
  const TSelection penSelection(dc, pen.Get());
  if (ellipse)
    Ellipse(dc, box.Left, box.Top, box.Right, box.Bottom);
  else
    Rectangle(dc, box.Left, box.Top, box.Right, box.Bottom);
}

}  // namespace

void TDesktopPositionForm::DrawPreview(bool withCandidate) {
  if (!picture_ || !picture_->Dc()) return;
  const HDC pictureDc = picture_->Dc();
  const RECT whole = {0, 0, preview_.Width, preview_.Height};
  FillRect(pictureDc, &whole, GetSysColorBrush(COLOR_WINDOW));
  DrawPlace(pictureDc, preview_.Oval ? preview_.OvalBox : preview_.CurrentBox, preview_.Oval, COLOR_HIGHLIGHT);
  if (withCandidate) DrawPlace(pictureDc, CandidateOutline(preview_, candidate_), preview_.Oval, COLOR_BTNFACE);
  FrameRect(pictureDc, &whole, GetSysColorBrush(COLOR_WINDOWTEXT));
  InvalidateRect(PaintBox.Handle(), nullptr, FALSE);
}

void TDesktopPositionForm::PaintBoxMouseMove(int x, int y) {
  candidate_ = CandidateBox(preview_, x, y);
  DrawPreview(true);
}

bool TDesktopPositionForm::ShowDesktopPosition(double& left, double& top, int margin, double eccentricity,
                                               bool oval, double height, double width) {
  FUN_TRACE("TDesktopPositionForm::ShowDesktopPosition");
  bool clicked = false;
  FUN_GUARD({
    if (!handle_) return;
    const TBox area = CalendarWorkArea(margin);
    TCalendarPlacement placement{left, top, width, height};
    const int panelSize = Scaled(kPanelSize);
    preview_ = PreparePositionPreview(area.Width(), area.Height(), placement, oval,
                                      RoundHalfUp(eccentricity * 100.0), panelSize, panelSize);
    SetWindowPos(PaintBox.Handle(), nullptr, Scaled(kPanelLeft) + (panelSize - preview_.Width) / 2,
                 Scaled(kPanelTop) + (panelSize - preview_.Height) / 2, preview_.Width, preview_.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    MakePicture();
    DrawPreview(false);

    // Centred on the main window.
    HWND owner = GetWindow(handle_, GW_OWNER);
    TCentring centring;
    centring.OnHiddenOwner = true;
    CentreOnOwner(handle_, owner, centring);

    if (ShowModalWindow(owner) != IDOK) return;
    PositionFromCandidate(preview_, candidate_, left, top);
    clicked = true;
  });
  return clicked;
}
