#include "platform/PicturePreparer.h"

#include <objbase.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>

#include "platform/GdiPlusPicture.h"
#include "platform/WinText.h"

namespace {

// How long closing waits for a worker busy in a decoder that cannot be interrupted.
constexpr auto kClosingPatience = std::chrono::milliseconds(100);

}  // namespace

TFileStamp ReadFileStamp(const std::string& fileName) {
  TFileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (fileName.empty() || !GetFileAttributesExW(AnsiToWide(fileName).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return stamp;
  stamp.Exists = true;
  stamp.Size = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
  stamp.LastWriteTime = static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                        data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

struct TPicturePreparer::TShared {
  std::mutex Mutex;
  std::condition_variable Changed;
  bool Stopping = false;
  bool Exited = false;
  // Bumped by every Prepare and Drop: a preparation begun under an older value is void.
  uint64_t Generation = 0;
  // The latest preparation asked for, while it is queued, running or ready.
  bool HasWanted = false;
  TPreparationKey Wanted;
  bool Queued = false;
  bool Running = false;
  bool HasReady = false;
  TFittedPictureResult Ready;

  void DiscardLocked() {
    ++Generation;
    HasWanted = Queued = HasReady = false;
    Ready = TFittedPictureResult();
    Changed.notify_all();
  }
};

TPicturePreparer::TPicturePreparer() : shared_(std::make_shared<TShared>()) {
  try {
    std::shared_ptr<TShared> shared = shared_;
    worker_ = std::thread([shared] { RunPreparations(shared); });
  } catch (...) {
    // No thread to spare: nothing is ever prepared, and every change composes as usual.
    shared_->Exited = true;
  }
}

TPicturePreparer::~TPicturePreparer() {
  bool exited = false;
  {
    std::unique_lock<std::mutex> lock(shared_->Mutex);
    shared_->Stopping = true;
    shared_->DiscardLocked();
    exited = shared_->Changed.wait_for(lock, kClosingPatience, [this] { return shared_->Exited; });
  }
  if (!worker_.joinable()) return;
  if (exited)
    worker_.join();
  else
    worker_.detach();  // it sees Stopping after its current step and ends by itself
}

void TPicturePreparer::Prepare(const TPreparationKey& key) {
  std::lock_guard<std::mutex> lock(shared_->Mutex);
  if (shared_->Exited) return;
  shared_->DiscardLocked();
  shared_->HasWanted = shared_->Queued = true;
  shared_->Wanted = key;
}

void TPicturePreparer::Drop() {
  std::lock_guard<std::mutex> lock(shared_->Mutex);
  shared_->DiscardLocked();
}

bool TPicturePreparer::DropIfStale(const TPreparationKey& current) {
  std::lock_guard<std::mutex> lock(shared_->Mutex);
  if (!shared_->HasWanted || !PreparationIsStale(shared_->Wanted, current)) return false;
  shared_->DiscardLocked();
  return true;
}

std::unique_ptr<TScreenBitmap> TPicturePreparer::TakeIfUsable(const TPreparationKey& wanted, double& skew,
                                                              double& factor) {
  std::lock_guard<std::mutex> lock(shared_->Mutex);
  if (!shared_->HasWanted) return nullptr;
  switch (ChoosePreparedPicture(shared_->Wanted, wanted)) {
    case TPreparedPictureChoice::Drop:
      shared_->DiscardLocked();
      return nullptr;
    case TPreparedPictureChoice::Recompose:
      return nullptr;
    case TPreparedPictureChoice::Use:
      break;
  }
  if (!shared_->HasReady) return nullptr;
  std::unique_ptr<TScreenBitmap> bitmap = std::move(shared_->Ready.Bitmap);
  skew = shared_->Ready.Skew;
  factor = shared_->Ready.Factor;
  shared_->DiscardLocked();
  return bitmap;
}

bool TPicturePreparer::ReadyKey(TPreparationKey& key) const {
  std::lock_guard<std::mutex> lock(shared_->Mutex);
  if (!shared_->HasReady) return false;
  key = shared_->Wanted;
  return true;
}

bool TPicturePreparer::Busy() const {
  std::lock_guard<std::mutex> lock(shared_->Mutex);
  return shared_->Queued || shared_->Running;
}

bool TPicturePreparer::WaitUntilIdle(DWORD timeoutMs) const {
  std::unique_lock<std::mutex> lock(shared_->Mutex);
  return shared_->Changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                   [this] { return !shared_->Queued && !shared_->Running; });
}

void TPicturePreparer::RunPreparations(const std::shared_ptr<TShared>& shared) {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  std::unique_lock<std::mutex> lock(shared->Mutex);
  for (;;) {
    shared->Changed.wait(lock, [&] { return shared->Stopping || shared->Queued; });
    if (shared->Stopping) break;
    const TPreparationKey key = shared->Wanted;
    const uint64_t generation = shared->Generation;
    shared->Queued = false;
    shared->Running = true;
    lock.unlock();
    TFittedPictureResult fitted;
    TFitFailure failure;
    const auto cancelled = [&] {
      std::lock_guard<std::mutex> check(shared->Mutex);
      return shared->Stopping || shared->Generation != generation;
    };
    // One thread: the preparation must leave the processors to the user.
    const bool made = FitPictureFile(key.FileName, key.Rules, key.ScreenWidth, key.ScreenHeight, key.Effects, 1,
                                     cancelled, fitted, failure);
    lock.lock();
    shared->Running = false;
    if (made && !shared->Stopping && shared->Generation == generation) {
      shared->Ready = std::move(fitted);
      shared->HasReady = true;
    } else if (shared->Generation == generation) {
      // A failed preparation is discarded silently; the change composes as usual.
      shared->HasWanted = false;
    }
    shared->Changed.notify_all();
  }
  shared->Exited = true;
  shared->Changed.notify_all();
  lock.unlock();
  if (SUCCEEDED(com)) CoUninitialize();
}
