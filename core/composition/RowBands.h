// Sharing the rows of a picture out over threads: each thread takes one band of
// neighbouring rows, the calling thread the first.
#pragma once

#include <functional>

// How many bands `rows` rows make for `workers` threads (below 1: one per processor),
// with no band under minRowsPerBand rows; at least 1.
int RowBandCount(int rows, int workers, int minRowsPerBand);

// Runs work(band, first, last) for every band of [0, rows), band i covering
// [rows * i / bands, rows * (i + 1) / bands), and returns when all are done. A band
// whose thread cannot be started runs on the calling thread. The work must not throw.
void RunRowBands(int rows, int bands, const std::function<void(int band, int first, int last)>& work);
