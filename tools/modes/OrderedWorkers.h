#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Computes results 0..count-1 on worker threads and hands them to the calling thread
// in index order, as soon as each one and all before it are done: a long map can be
// written as it goes. Each worker makes its own job (with its own working memory)
// once, then takes the next free index until none is left or a stop is asked for.
class OrderedWorkers {
 public:
  struct Hooks {
    // Asked between results and while waiting; true stops the work early.
    std::function<bool()> stopRequested = [] { return false; };
    // Told how many results have been handed over, now and then.
    std::function<void(std::size_t done)> progress = [](std::size_t) {};
  };

  // Returns how many results were handed over (count, unless stopped).
  template <class MakeJob, class Deliver>
  static std::size_t Run(std::size_t count, int threads, MakeJob makeJob, Deliver deliver, const Hooks& hooks) {
    using Job = decltype(makeJob());
    using Result = decltype(std::declval<Job&>()(std::size_t{}));

    std::vector<std::optional<Result>> outcomes(count);
    std::unique_ptr<std::atomic<bool>[]> ready(new std::atomic<bool>[count]);
    for (std::size_t i = 0; i < count; ++i) ready[i] = false;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable finished;

    auto work = [&] {
      Job job = makeJob();
      for (std::size_t i = next++; i < count && !stop; i = next++) {
        outcomes[i].emplace(job(i));
        ready[i].store(true, std::memory_order_release);
        std::lock_guard lock(mutex);
        finished.notify_one();
      }
    };

    std::size_t delivered = 0;
    {
      std::vector<std::jthread> workers;
      const std::size_t wanted = std::min<std::size_t>(std::max(threads, 1), std::max<std::size_t>(count, 1));
      for (std::size_t t = 0; t < wanted; ++t) workers.emplace_back(work);

      std::unique_lock lock(mutex);
      while (delivered < count) {
        if (ready[delivered].load(std::memory_order_acquire)) {
          lock.unlock();
          deliver(delivered, std::move(*outcomes[delivered]));
          outcomes[delivered].reset();
          ++delivered;
          hooks.progress(delivered);
          const bool stopping = hooks.stopRequested();
          lock.lock();
          if (stopping) break;
          continue;
        }
        if (hooks.stopRequested()) break;
        // Woken by each finished result; the timeout lets a stop request through.
        finished.wait_for(lock, std::chrono::milliseconds(100));
      }
      stop = true;
      lock.unlock();
    }  // the workers finish the result in hand and are joined here

    // What was finished in order before the stop still goes out.
    while (delivered < count && ready[delivered].load(std::memory_order_acquire)) {
      deliver(delivered, std::move(*outcomes[delivered]));
      outcomes[delivered].reset();
      ++delivered;
    }
    hooks.progress(delivered);
    return delivered;
  }
};
