#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

// Runs work(i) for every i in [0, count), spread over the machine's cores in
// contiguous blocks; returns when all are done. work must be safe to call from
// several threads for different i.
template <class Work>
void ParallelFor(std::size_t count, const Work& work) {
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t threads = std::min(cores, count);
  if (threads <= 1) {
    for (std::size_t i = 0; i < count; ++i) work(i);
    return;
  }
  std::vector<std::jthread> pool;
  pool.reserve(threads);
  for (std::size_t t = 0; t < threads; ++t) {
    const std::size_t begin = count * t / threads;
    const std::size_t end = count * (t + 1) / threads;
    pool.emplace_back([begin, end, &work] {
      for (std::size_t i = begin; i < end; ++i) work(i);
    });
  }
}
