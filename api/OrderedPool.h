#pragma once

#include <cstddef>
#include <utility>

// The rows a task computes when one table's rows are shared over the pool: enough to
// outweigh handing them over, few enough to keep both cores busy to the end.
inline constexpr std::size_t kRowsPerTask = 256;

#if defined(__EMSCRIPTEN__)

// A page's worker is one thread: the results in order, each as it is done.
inline int PoolThreads(int) { return 1; }
template <class MakeJob, class Deliver, class Stop>
std::size_t RunInOrder(std::size_t count, int, MakeJob makeJob, Deliver deliver, Stop stop) {
  auto job = makeJob();
  std::size_t delivered = 0;
  for (; delivered < count && !stop(); ++delivered) deliver(job(delivered));
  return delivered;
}

template <class Body>
void ForEachIndex(std::size_t count, int, const Body& body) {
  for (std::size_t i = 0; i < count; ++i) body(i);
}

#else

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <oneapi/tbb/enumerable_thread_specific.h>
#include <oneapi/tbb/global_control.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/parallel_pipeline.h>
#include <oneapi/tbb/task_arena.h>

// The threads the pool uses for --threads N, or one per core for 0.
inline int PoolThreads(int threads) { return threads > 0 ? threads : tbb::info::default_concurrency(); }

// The tools' one thread pool: computes results 0..count-1 on at most `threads` threads
// (oneTBB) and hands them over in index order, each as soon as it and all before it
// are done, so that a long table is written as it goes. Each thread makes its own job
// (with its own working memory) once. stop() is asked before each index is begun;
// once it says true, what is in hand is finished and handed over, and no more.
// Returns how many results were handed over.
template <class MakeJob, class Deliver, class Stop>
std::size_t RunInOrder(std::size_t count, int threads, MakeJob makeJob, Deliver deliver, Stop stop) {
  using Job = decltype(makeJob());
  using Result = decltype(std::declval<Job&>()(std::size_t{}));
  tbb::enumerable_thread_specific<Job> jobs(makeJob);
  std::size_t next = 0;
  std::size_t delivered = 0;
  const int concurrency = PoolThreads(threads);
  // oneTBB caps its workers at one per core unless told otherwise; more threads than
  // cores is what was asked for, so it is what the pool gets.
  const tbb::global_control parallelism(tbb::global_control::max_allowed_parallelism, std::size_t(concurrency));
  tbb::task_arena arena(concurrency);
  arena.execute([&] {
    tbb::parallel_pipeline(
        std::size_t(concurrency) * 4,
        tbb::make_filter<void, std::size_t>(tbb::filter_mode::serial_in_order,
                                            [&](tbb::flow_control& control) -> std::size_t {
                                              if (next >= count || stop()) {
                                                control.stop();
                                                return 0;
                                              }
                                              return next++;
                                            }) &
            tbb::make_filter<std::size_t, Result>(tbb::filter_mode::parallel,
                                                  [&](std::size_t index) { return jobs.local()(index); }) &
            tbb::make_filter<Result, void>(tbb::filter_mode::serial_in_order, [&](Result result) {
              deliver(std::move(result));
              ++delivered;
            }));
  });
  return delivered;
}

// The pool's arena of that many threads, made once: making one costs about a third of
// a millisecond (its threads join it anew), more than many a job's work. Kept to the
// end, past TBB's own teardown.
inline tbb::task_arena& PoolArena(int concurrency) {
  static std::mutex guard;
  static auto* arenas = new std::map<int, std::unique_ptr<tbb::task_arena>>;
  const std::lock_guard lock(guard);
  std::unique_ptr<tbb::task_arena>& arena = (*arenas)[concurrency];
  if (!arena) arena = std::make_unique<tbb::task_arena>(concurrency);
  return *arena;
}

// body(i) for every i below count, independent of each other, on at most `threads`
// threads of the pool (inside a pool's job, on that pool's threads). In chunks of about
// an eighth of a thread's share, down to single items: TBB's automatic chunking keeps
// a handful of long items (a cycle's stretches) on one thread.
template <class Body>
void ForEachIndex(std::size_t count, int threads, const Body& body) {
  const int concurrency = PoolThreads(threads);
  const std::size_t grain = std::max<std::size_t>(1, count / (8 * static_cast<std::size_t>(concurrency)));
  PoolArena(concurrency).execute([&] {
    tbb::parallel_for(
        tbb::blocked_range<std::size_t>(0, count, grain),
        [&](const tbb::blocked_range<std::size_t>& range) {
          for (std::size_t i = range.begin(); i != range.end(); ++i) body(i);
        },
        tbb::simple_partitioner());
  });
}

#endif
