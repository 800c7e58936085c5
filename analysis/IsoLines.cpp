#include "analysis/IsoLines.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// The grid's edges, each numbered once, so that the two cells beside an edge find the
// same crossing on it and the lines can be followed from cell to cell. An edge runs
// across (from (i, j) to (i + 1, j)) or up (from (i, j) to (i, j + 1)).
class GridEdges {
 public:
  GridEdges(const IsoGrid& grid, double level)
      : grid_(grid), level_(level), nx_(grid.xs.size()), ny_(grid.ys.size()), across_((nx_ - 1) * ny_) {}

  std::size_t Count() const { return across_ + nx_ * (ny_ - 1); }
  std::size_t Across(std::size_t i, std::size_t j) const { return i * ny_ + j; }
  std::size_t Up(std::size_t i, std::size_t j) const { return across_ + i * (ny_ - 1) + j; }
  double Value(std::size_t i, std::size_t j) const { return grid_.values[i * ny_ + j]; }

  // Where the level crosses an edge whose ends lie on either side of it.
  IsoPoint Crossing(std::size_t edge) const {
    const bool across = edge < across_;
    const std::size_t i = across ? edge / ny_ : (edge - across_) / (ny_ - 1);
    const std::size_t j = across ? edge % ny_ : (edge - across_) % (ny_ - 1);
    const double from = Value(i, j);
    const double to = across ? Value(i + 1, j) : Value(i, j + 1);
    const double t = (level_ - from) / (to - from);
    if (across) return {grid_.xs[i] + t * (grid_.xs[i + 1] - grid_.xs[i]), grid_.ys[j]};
    return {grid_.xs[i], grid_.ys[j] + t * (grid_.ys[j + 1] - grid_.ys[j])};
  }

 private:
  const IsoGrid& grid_;
  double level_;
  std::size_t nx_, ny_, across_;
};

}  // namespace

std::vector<std::vector<IsoPoint>> IsoLines(const IsoGrid& grid, double level) {
  const std::size_t nx = grid.xs.size();
  const std::size_t ny = grid.ys.size();
  if (nx < 2 || ny < 2 || grid.values.size() != nx * ny || !std::isfinite(level)) return {};
  const GridEdges edges(grid, level);

  // Each crossed edge joins the crossings of at most two others, one in each cell
  // beside it.
  std::vector<std::array<std::size_t, 2>> links(edges.Count(), {kNone, kNone});
  const auto join = [&links](std::size_t a, std::size_t b) {
    links[a][links[a][0] == kNone ? 0 : 1] = b;
    links[b][links[b][0] == kNone ? 0 : 1] = a;
  };
  for (std::size_t i = 0; i + 1 < nx; ++i) {
    for (std::size_t j = 0; j + 1 < ny; ++j) {
      // Corners anticlockwise from the lower left, and the edge that follows each.
      const std::array<double, 4> corner = {edges.Value(i, j), edges.Value(i + 1, j), edges.Value(i + 1, j + 1),
                                            edges.Value(i, j + 1)};
      if (std::isnan(corner[0]) || std::isnan(corner[1]) || std::isnan(corner[2]) || std::isnan(corner[3])) continue;
      const std::array<std::size_t, 4> side = {edges.Across(i, j), edges.Up(i + 1, j), edges.Across(i, j + 1),
                                               edges.Up(i, j)};
      std::array<bool, 4> above{};
      for (std::size_t k = 0; k < 4; ++k) above[k] = corner[k] >= level;
      std::vector<std::size_t> crossed;
      for (std::size_t k = 0; k < 4; ++k) {
        if (above[k] != above[(k + 1) % 4]) crossed.push_back(side[k]);
      }
      if (crossed.size() == 2) {
        join(crossed[0], crossed[1]);
      } else if (crossed.size() == 4) {
        // A saddle: where the centre lies with corners 0 and 2, the lines cut off
        // corners 1 and 3; else corners 0 and 2.
        const bool centreAbove = (corner[0] + corner[1] + corner[2] + corner[3]) / 4 >= level;
        if (centreAbove == above[0]) {
          join(side[0], side[1]);
          join(side[2], side[3]);
        } else {
          join(side[3], side[0]);
          join(side[1], side[2]);
        }
      }
    }
  }

  std::vector<std::vector<IsoPoint>> lines;
  std::vector<bool> drawn(links.size(), false);
  const auto follow = [&](std::size_t start) {
    std::vector<IsoPoint> line;
    std::size_t previous = kNone;
    for (std::size_t edge = start; edge != kNone && !drawn[edge];) {
      line.push_back(edges.Crossing(edge));
      drawn[edge] = true;
      const std::size_t next = links[edge][0] != previous ? links[edge][0] : links[edge][1];
      previous = edge;
      edge = next;
      if (edge == start) line.push_back(line.front());  // round to the start: closed
    }
    lines.push_back(std::move(line));
  };
  // Lines with ends first, from one end; what is left are closed loops.
  for (std::size_t edge = 0; edge < links.size(); ++edge) {
    if (!drawn[edge] && links[edge][0] != kNone && links[edge][1] == kNone) follow(edge);
  }
  for (std::size_t edge = 0; edge < links.size(); ++edge) {
    if (!drawn[edge] && links[edge][0] != kNone) follow(edge);
  }
  return lines;
}
