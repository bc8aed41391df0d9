#include "app/dialogs/AboutForm.h"

#include "core/trace/FunStatus.h"
#include "platform/RunFile.h"
#include "platform/SettingsDirectory.h"
#include "platform/WindowPlacement.h"
#include "resources/resource.h"

TAboutForm* AboutForm = nullptr;

namespace {

const char* const kHomePage = "https://muralotrope.org/";
const char* const kLicensePage = "https://muralotrope.org/license";
const char* const kContactPage = "https://muralotrope.org/contact";
const char* const kProgramsText =
    "Muralotrope is free to use. Visit the site for news, skin tips and the team's other small desktop tools: "
    "a clipboard keeper, a quiet screen-break timer and a folder tidier.";

// Opens a web page; a failure shows the error window with the message given.
void OpenSite(const std::string& address, const std::string& failureMessage) {
  FUN_TRACE("OpenSite");
  FUN_GUARD({
    FUN_CALL(RunFile(AboutForm ? AboutForm->Handle() : nullptr, address, "", "", false, false));
  });
  FUN_SHOW(failureMessage);
}

}  // namespace

bool TAboutForm::Create(HWND owner) {
  if (!CreateModeless(IDD_ABOUT, owner)) return false;
  AboutForm = this;
  ProgramNameLabel.Bind(*this, IDC_ABOUT_PROGRAM_NAME);
  ProgramVersionLabel.Bind(*this, IDC_ABOUT_PROGRAM_VERSION);
  AuthorLabel.Bind(*this, IDC_ABOUT_AUTHOR);
  ProgramsLabel.Bind(*this, IDC_ABOUT_PROGRAMS);
  SettingsFolderLabel.Bind(*this, IDC_ABOUT_SETTINGS_FOLDER);
  VisitMySiteButton.Bind(*this, IDC_ABOUT_VISIT_SITE);
  LicenseTermsButton.Bind(*this, IDC_ABOUT_LICENSE_TERMS);
  ContactMeButton.Bind(*this, IDC_ABOUT_CONTACT);
  OkayButton.Bind(*this, IDOK);
  EscapeButton = &OkayButton;
  VisitMySiteButton.OnClick = [this] { VisitMySiteButtonClick(); };
  LicenseTermsButton.OnClick = [this] { LicenseTermsButtonClick(); };
  ContactMeButton.OnClick = [this] { ContactMeButtonClick(); };
  OkayButton.OnClick = [this] { OkayButtonClick(); };
  // Its pixel height at 96 DPI, scaled with the display like the rest of the window.
  static HFONT nameFont = CreateFontA(-ScaleForDpi(handle_, 48), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                      CLEARTYPE_QUALITY, 0, "Comic Sans MS");
  SendMessageA(ProgramNameLabel.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(nameFont), FALSE);
  ProgramsLabel.SetText(kProgramsText);
  return true;
}

void TAboutForm::Dialog() {
  FUN_TRACE("TAboutForm::Dialog");
  FUN_GUARD({
    SettingsFolderLabel.SetText("Settings are kept in " + GetSettingsDirectory());
    HWND owner = GetWindow(handle_, GW_OWNER);
    CentreOnOwner(handle_, owner);
    ShowModalWindow(owner);
  });
  FUN_SHOW("Failed to show the \"About\" dialog.");
}

void TAboutForm::FormActivate() {
  // The dialog manager would otherwise move the focus back to the first
  // button, and Enter would open the site instead of closing.
  OkayButton.SetFocus();
}

void TAboutForm::VisitMySiteButtonClick() { OpenSite(kHomePage, "Failed to open site."); }
void TAboutForm::LicenseTermsButtonClick() { OpenSite(kLicensePage, "Failed to open site."); }
void TAboutForm::ContactMeButtonClick() { OpenSite(kContactPage, "Failed to open site."); }
void TAboutForm::OkayButtonClick() { EndModal(IDOK); }

bool TAboutForm::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) return false;
      FormActivate();
      result = TRUE;
      return true;
    case WM_CLOSE:
      OkayButtonClick();
      result = TRUE;
      return true;
    default: return false;
  }
}
