#pragma once

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "api/CsvNumbers.h"
#include "api/OrderedPool.h"
#include "api/StudyRanges.h"

namespace torlin_python {

namespace py = pybind11;

// Computes results 0..count-1 on the C++ thread pool with the interpreter lock
// released, in index order. makeJob gives each thread its job (its working memory).
template <class MakeJob>
auto OnPool(std::size_t count, int threads, MakeJob makeJob) {
  using Job = decltype(makeJob());
  using Result = decltype(std::declval<Job&>()(std::size_t{}));
  std::vector<Result> results;
  results.reserve(count);
  {
    py::gil_scoped_release release;
    RunInOrder(count, threads, makeJob, [&](Result result) { results.push_back(std::move(result)); },
               [] { return false; });
  }
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
