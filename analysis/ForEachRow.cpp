#include "analysis/ForEachRow.h"

void EachRowInTurn(std::size_t count, const std::function<void(std::size_t)>& body) {
  for (std::size_t i = 0; i < count; ++i) body(i);
}
