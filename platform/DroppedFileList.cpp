#include "platform/DroppedFileList.h"

#include "core/trace/FunStatus.h"
#include "platform/WinText.h"

void DroppedFilesToList(HDROP drop, std::vector<std::string>& list) {
  FUN_TRACE("DroppedFilesToList");
  FUN_GUARD({
    list.clear();
    // The wide names: a path of MAX_PATH characters in another script takes
    // more than MAX_PATH bytes in the program's UTF-8.
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
      std::wstring path(DragQueryFileW(drop, index, nullptr, 0) + 1, L'\0');
      path.resize(DragQueryFileW(drop, index, path.data(), static_cast<UINT>(path.size())));
      list.push_back(WideToAnsi(path));
    }
  });
  if (drop) DragFinish(drop);
}
