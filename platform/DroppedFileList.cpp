#include "platform/DroppedFileList.h"

#include "core/trace/FunStatus.h"

void DroppedFilesToList(HDROP drop, std::vector<std::string>& list) {
  FUN_TRACE("DroppedFilesToList");
  FUN_GUARD({
    list.clear();
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
      char path[MAX_PATH] = {};
      DragQueryFileA(drop, index, path, MAX_PATH);
      list.emplace_back(path);
    }
  });
  if (drop) DragFinish(drop);
}
