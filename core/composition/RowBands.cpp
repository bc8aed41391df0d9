#include "core/composition/RowBands.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

int RowBandCount(int rows, int workers, int minRowsPerBand) {
  if (workers < 1) workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return std::max(1, std::min(workers, rows / std::max(1, minRowsPerBand)));
}

void RunRowBands(int rows, int bands, const std::function<void(int band, int first, int last)>& work) {
  bands = std::max(1, bands);
  auto run = [&](int band) {
    work(band, static_cast<int>(int64_t{rows} * band / bands), static_cast<int>(int64_t{rows} * (band + 1) / bands));
  };
  std::vector<std::thread> threads;
  std::vector<int> unstarted;
  // Room first: once a thread runs, nothing here may throw before it is joined.
  threads.reserve(bands);
  unstarted.reserve(bands);
  for (int band = 1; band < bands; ++band) {
    try {
      threads.emplace_back(run, band);
    } catch (const std::system_error&) {
      unstarted.push_back(band);  // no thread to spare: this band runs here
    }
  }
  run(0);
  for (int band : unstarted) run(band);
  for (std::thread& thread : threads) thread.join();
}
