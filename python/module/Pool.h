#pragma once

#include <pybind11/pybind11.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "api/CsvNumbers.h"
#include "api/OrderedPool.h"
#include "api/StudyRanges.h"

namespace torlin_python {

namespace py = pybind11;

// Computes results 0..count-1 on the C++ thread pool with the interpreter lock
// released, in index order. makeJob gives each thread its job (its working memory).
// The calling thread waits, looking for a signal every tenth of a second: on Ctrl-C
// the pool begins no more results, finishes those in hand and the call raises
// KeyboardInterrupt, so a long study stops when asked, not when it is done.
template <class MakeJob>
auto OnPool(std::size_t count, int threads, MakeJob makeJob) {
  using Job = decltype(makeJob());
  using Result = decltype(std::declval<Job&>()(std::size_t{}));
  std::vector<Result> results;
  results.reserve(count);
  const auto deliver = [&](Result result) { results.push_back(std::move(result)); };
  if (count <= 1) {  // nothing to stop between
    py::gil_scoped_release release;
    RunInOrder(count, threads, makeJob, deliver, [] { return false; });
    return results;
  }
  std::atomic<bool> interrupted = false;
  std::exception_ptr failure;
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  {
    py::gil_scoped_release release;
    std::thread pool([&] {
      try {
        RunInOrder(count, threads, makeJob, deliver, [&] { return interrupted.load(); });
      } catch (...) {
        failure = std::current_exception();
      }
      const std::lock_guard lock(mutex);
      done = true;
      finished.notify_one();
    });
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return done; })) {
      if (interrupted) continue;
      lock.unlock();
      {
        const py::gil_scoped_acquire acquire;
        if (PyErr_CheckSignals() != 0) interrupted = true;  // the error stays set for the caller
      }
      lock.lock();
    }
    lock.unlock();
    pool.join();
  }
  if (failure) std::rethrow_exception(failure);
  if (interrupted) throw py::error_already_set();
  return results;
}

// ValueError with the line, as a tool would give it for the same argument.
[[noreturn]] inline void Refuse(const std::string& line) { throw py::value_error(line); }

// A number as an error line shows it: as the CSV would, "nan" for none.
inline std::string NumberText(double value) {
  std::string text;
  AppendNumber(text, value);
  return text.empty() ? "nan" : text;
}

inline int CheckedThreads(int threads) {
  if (threads < 0 || threads > kMaxThreads) {
    Refuse("threads must be 0 (one per core) up to " + std::to_string(kMaxThreads) + ", not " + std::to_string(threads));
  }
  return threads;
}

}  // namespace torlin_python
