#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

// Runs work(i) for every i in [0, count), spread over the machine's cores; returns when
// all are done. Thread t takes i = t, t + threads, ..., so that costly stretches (the
// part of a cycle where the valve moves) are shared out evenly. work must be safe to
// call from several threads for different i.
// A WebAssembly build without threads runs everything on the calling thread.
template <class Work>
void ParallelFor(std::size_t count, const Work& work) {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  const std::size_t cores = 1;
#else
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
#endif
  const std::size_t threads = std::min(cores, count);
  if (threads <= 1) {
    for (std::size_t i = 0; i < count; ++i) work(i);
    return;
  }
  std::vector<std::thread> pool;
  pool.reserve(threads);
  for (std::size_t t = 0; t < threads; ++t) {
    pool.emplace_back([t, threads, count, &work] {
      for (std::size_t i = t; i < count; i += threads) work(i);
    });
  }
  for (std::thread& thread : pool) thread.join();
}
