// Times loading the names of a picture library under the program's rules:
// the walk, the sort of each block and the look-up of the current picture. The
// program's way (a sort key made once per name) against the peer timed in the
// same run (one collation call per compared pair), and the heap the load holds
// beyond the names themselves. Prints medians of several runs.
//
//   library_bench.exe [--runs N] [--peer-runs N] FOLDER [recursive] ...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "core/trace/FunStatus.h"
#include "core/catalogue/KeyedSort.h"
#include "core/catalogue/PictureSelection.h"
#include "platform/DirectoryWalk.h"
#include "platform/GdiPlusSession.h"
#include "platform/PictureDecoders.h"
#include "platform/UserLocale.h"

// ---- Heap accounting: every block counted as the heap holds it ----

namespace {

size_t liveHeapBytes = 0;
size_t peakHeapBytes = 0;

// A block as the system heap holds it: rounded up to 16 bytes, plus its 16-byte header.
size_t HeapBlockBytes(size_t size) { return (size + 15) / 16 * 16 + 16; }

void* CountedAllocate(size_t size) {
  auto* block = static_cast<size_t*>(std::malloc(size + 16));
  if (!block) throw std::bad_alloc();
  block[0] = size;
  liveHeapBytes += HeapBlockBytes(size);
  peakHeapBytes = std::max(peakHeapBytes, liveHeapBytes);
  return block + 2;
}

void CountedFree(void* pointer) noexcept {
  if (!pointer) return;
  auto* block = static_cast<size_t*>(pointer) - 2;
  liveHeapBytes -= HeapBlockBytes(block[0]);
  std::free(block);
}

}  // namespace

void* operator new(size_t size) { return CountedAllocate(size); }
void* operator new[](size_t size) { return CountedAllocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return CountedAllocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* pointer) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer) noexcept { CountedFree(pointer); }
void operator delete(void* pointer, size_t) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer, size_t) noexcept { CountedFree(pointer); }

namespace {

// The thread's processor time: on a shared machine it drifts less than the clock.
double ThreadSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

struct TTimes {
  std::vector<double> Load, LoadCpu, Walk, Sort, Peer, PeerCpu;
  size_t Count = 0;
  double PeakBytesPerName = 0, KeptBytesPerName = 0;
};

// One load as the program runs it: walk, sort by keys (or by comparisons),
// and look up a current picture that is no longer there: a search in the
// sorted keys, or a comparison with every name.
bool Load(const std::string& folder, bool recursive, const std::string& filter, bool byKeys, double& seconds,
          double& cpuSeconds, TTimes& times) {
  TPictureSelection selection;
  selection.Services.Now = [] { return 0.0; };
  selection.Services.Collate = CompareTextUserLocale;
  if (byKeys) selection.Services.SortKey = SortKeyUserLocale;
  selection.CurrentFileTitle = folder + "\\no longer there.jpg";
  const std::vector<TDirectoryEntry> rows = {
      {folder, static_cast<uint8_t>(DirectoryActiveBit | (recursive ? DirectoryRecursiveBit : 0))}};
  const TDirectoryWalker walk = [&](const std::string& directory, bool deep, std::vector<std::string>& files) {
    LoadFilesList(directory, filter, files, deep);
  };
  const size_t baseline = liveHeapBytes;
  peakHeapBytes = liveHeapBytes;
  const double start = Seconds(), startCpu = ThreadSeconds();
  selection.LoadPictureFileNames(rows, walk);
  seconds = Seconds() - start;
  cpuSeconds = ThreadSeconds() - startCpu;
  if (FunStatContext.Failed()) {
    std::fprintf(stderr, "loading %s failed: %s %s (%u)\n", folder.c_str(), FunStatContext.Description.c_str(),
                 FunStatContext.Parameter1.c_str(), FunStatContext.SystemErrorCode);
    return false;
  }
  size_t nameBytes = 0;
  for (const std::string& name : selection.PictureList) nameBytes += name.size();
  times.Count = selection.PictureList.size();
  if (byKeys && times.Count > 0) {
    const auto count = static_cast<double>(times.Count);
    times.PeakBytesPerName = (static_cast<double>(peakHeapBytes - baseline) - nameBytes) / count;
    times.KeptBytesPerName = (static_cast<double>(liveHeapBytes - baseline) - nameBytes) / count;
  }
  return selection.CurrentPictureIndex == -1;
}

bool Measure(const std::string& folder, bool recursive, const std::string& filter, int runs, int peerRuns,
             TTimes& times) {
  for (int run = 0; run < runs; ++run) {
    double seconds = 0, cpu = 0;
    if (!Load(folder, recursive, filter, true, seconds, cpu, times)) return false;
    times.Load.push_back(seconds);
    times.LoadCpu.push_back(cpu);
    // The parts on their own.
    std::vector<std::string> files;
    double start = Seconds();
    LoadFilesList(folder, filter, files, recursive);
    times.Walk.push_back(Seconds() - start);
    start = Seconds();
    std::string key;
    SortKeyUserLocale(folder + "\\no longer there.jpg", key);
    int32_t found = -1;
    SortUniqueTextsByKeys(files, SortKeyUserLocale, &key, &found);
    times.Sort.push_back(Seconds() - start);
  }
  for (int run = 0; run < peerRuns; ++run) {
    double seconds = 0, cpu = 0;
    if (!Load(folder, recursive, filter, false, seconds, cpu, times)) return false;
    times.Peer.push_back(seconds);
    times.PeerCpu.push_back(cpu);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5, peerRuns = 1;
  std::vector<std::pair<std::string, bool>> libraries;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--peer-runs") && i + 1 < argc) peerRuns = std::max(0, std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "recursive") && !libraries.empty()) libraries.back().second = true;
    else libraries.emplace_back(argv[i], false);
  }
  if (libraries.empty()) {
    std::fprintf(stderr, "usage: library_bench.exe [--runs N] [--peer-runs N] FOLDER [recursive] ...\n");
    return 2;
  }
  const TGdiPlusSession gdiPlus;
  const std::string filter = GetPictureExtensionsAsFilter();

  std::printf("| Library | Names | Load | Load (processor) | Walk | Sort and find by keys | Peer: by comparisons"
              " | Peer (processor) | Peer/load | Peak bytes/name | Kept bytes/name |\n"
              "|---|---|---|---|---|---|---|---|---|---|---|\n");
  int status = 0;
  for (const auto& [folder, recursive] : libraries) {
    TTimes times;
    if (!Measure(folder, recursive, filter, runs, peerRuns, times)) {
      status = 1;
      continue;
    }
    const double load = Median(times.Load), peer = Median(times.Peer);
    const std::string name = folder.substr(folder.find_last_of('\\') + 1);
    std::printf("| %s%s | %zu | %.3f s | %.3f s | %.3f s | %.3f s | ", name.c_str(), recursive ? " (recursive)" : "",
                times.Count, load, Median(times.LoadCpu), Median(times.Walk), Median(times.Sort));
    if (peerRuns) std::printf("%.3f s | %.3f s | %.1f | ", peer, Median(times.PeerCpu), peer / load);
    else std::printf("- | - | - | ");
    std::printf("%.0f | %.0f |\n", times.PeakBytesPerName, times.KeptBytesPerName);
    std::fflush(stdout);
  }
  return status;
}
