#pragma once

#include <cstddef>
#include <functional>

// Runs body(i) for i = 0 .. count - 1, which are independent of each other: one after
// another, or spread over a thread pool (the results do not depend on how).
using ForEachRow = std::function<void(std::size_t count, const std::function<void(std::size_t)>& body)>;
void EachRowInTurn(std::size_t count, const std::function<void(std::size_t)>& body);
