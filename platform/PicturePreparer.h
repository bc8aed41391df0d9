// Prepares the picture the next change will most likely show while the user looks at
// the current one: one worker thread at below-normal priority decodes, turns,
// normalises and fits it exactly as a reload would (FitPictureFile), one preparation at
// a time. The worker touches no window, no control and no record of the status trace;
// a preparation that fails is simply not there. GDI+ must stay running while the
// preparer lives.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "core/composition/PreparedPicture.h"
#include "platform/ScreenBitmap.h"

// The file's size and last-write time from the file system; not Exists when it cannot
// be read.
TFileStamp ReadFileStamp(const std::string& fileName);

class TPicturePreparer {
 public:
  TPicturePreparer();
  // Cancels the preparation in flight; waits at most 100 ms for the worker, which is
  // then left to finish on its own and discard what it made.
  ~TPicturePreparer();
  TPicturePreparer(const TPicturePreparer&) = delete;
  TPicturePreparer& operator=(const TPicturePreparer&) = delete;

  // Starts preparing the picture of the key (its stamp read when the key was made),
  // dropping whatever was prepared or is being prepared.
  void Prepare(const TPreparationKey& key);
  // Cancels the preparation in flight and discards any result: options, the screen or
  // the list changed.
  void Drop();
  // Drops the prepared picture when it is stale against what a change would be made
  // with now; true when it was dropped.
  bool DropIfStale(const TPreparationKey& current);

  // At a change to `wanted`: the prepared bitmap with its skew and normalisation factor
  // when ChoosePreparedPicture says Use, handed over to the caller; null otherwise
  // (dropped when stale, kept when another picture is wanted; nothing while the
  // preparation still runs).
  std::unique_ptr<TScreenBitmap> TakeIfUsable(const TPreparationKey& wanted, double& skew, double& factor);

  // The key of the ready picture; false while none is ready.
  bool ReadyKey(TPreparationKey& key) const;
  // True while a preparation is queued or running.
  bool Busy() const;
  // Waits until no preparation is queued or running, at most timeoutMs; true when idle.
  bool WaitUntilIdle(DWORD timeoutMs) const;

 private:
  // What the worker shares with the preparer; the worker holds it too, so that a worker
  // left behind at the end still has it.
  struct TShared;
  std::shared_ptr<TShared> shared_;
  std::thread worker_;
  static void RunPreparations(const std::shared_ptr<TShared>& shared);
};
