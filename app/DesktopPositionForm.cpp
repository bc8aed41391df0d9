#include "app/DesktopPositionForm.h"

#include "resources/resource.h"

bool TDesktopPositionForm::Create(HWND owner) { return CreateModeless(IDD_DESKTOP_POSITION, owner); }
