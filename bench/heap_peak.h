#pragma once
// The most heap one piece of work holds at once. The bench program takes over malloc and its
// kin (forwarding to the C library's own), so every allocation counts, jsoncpp's included.
// Blocks are counted by their usable size, and only while a measurement runs; measure work that
// frees nothing it did not allocate itself.

#include <cstddef>
#include <functional>

// Runs `work` and gives the peak of the bytes it held at once, above what was held before.
size_t PeakHeapBytes(const std::function<void()>& work);
