#include "ShaftHeatMap.h"

#include <QChart>
#include <QColorAxis>
#include <QLegend>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ChartParts.h"
#include "PlotImage.h"

namespace {

const QColor kMissingGrey(200, 200, 200);

// The distinct values of one bar, sorted, and where each one's cells begin and end:
// halfway to the neighbours, and half a mean step beyond the outer values.
struct BarCells {
  std::vector<double> values;
  std::vector<double> edges;  // values.size() + 1

  explicit BarCells(std::vector<double> all) : values(std::move(all)) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    const std::size_t n = values.size();
    const double half = n > 1 ? (values.back() - values.front()) / (2.0 * double(n - 1)) : 0.5;
    edges.push_back(values.front() - half);
    for (std::size_t i = 1; i < n; ++i) edges.push_back((values[i - 1] + values[i]) / 2);
    edges.push_back(values.back() + half);
  }
  std::size_t IndexOf(double value) const {
    return std::size_t(std::lower_bound(values.begin(), values.end(), value) - values.begin());
  }
  // The cell a coordinate falls in; none outside the outer edges.
  std::optional<std::size_t> CellAt(double at) const {
    if (at < edges.front() || at > edges.back()) return std::nullopt;
    const auto next = std::upper_bound(edges.begin() + 1, edges.end() - 1, at);
    return std::size_t(next - edges.begin() - 1);
  }
  // Ticks one bar step apart at least: the bars move in whole steps.
  double Tick() const { return std::max(1.0, NiceInterval(edges.back() - edges.front())); }
};

struct Cell {
  bool present = false;
  std::optional<double> value;
};

}  // namespace

std::unique_ptr<QChart> ShaftHeatMapChart(const ShaftHeatMap& map) {
  auto chart = NewChart(map.headline, map.settings);
  if (map.cells.empty()) return chart;
  std::vector<double> levers, eccentrics;
  for (const ShaftCell& cell : map.cells) {
    levers.push_back(cell.lever);
    eccentrics.push_back(cell.eccentric);
  }
  const BarCells across(std::move(levers));
  const BarCells up(std::move(eccentrics));
  std::vector<Cell> grid(across.values.size() * up.values.size());
  std::optional<double> low, high;
  bool anyMissing = false;
  for (const ShaftCell& cell : map.cells) {
    grid[across.IndexOf(cell.lever) * up.values.size() + up.IndexOf(cell.eccentric)] = {true, cell.value};
    anyMissing = anyMissing || !cell.value;
    if (!cell.value) continue;
    low = std::min(low.value_or(*cell.value), *cell.value);
    high = std::max(high.value_or(*cell.value), *cell.value);
  }

  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, kLeverAxisTitle, across.edges.front(), across.edges.back(),
                            across.Tick());
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, kEccentricAxisTitle, up.edges.front(), up.edges.back(), up.Tick());
  x->setGridLineVisible(false);
  y->setGridLineVisible(false);
  QColorAxis* scale = ColourScale(*chart, map.valueTitle, low.value_or(0), high.value_or(0));

  // The legend names the grey cells, through a series that draws nothing itself.
  auto* missing = new QScatterSeries;
  missing->setName(map.missingName);
  missing->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  missing->setColor(kMissingGrey);
  missing->setPen(Qt::NoPen);
  chart->addSeries(missing);
  Attach(missing, {x, y});
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setVisible(anyMissing);

  const double scaleLow = scale->min();
  const double scaleSpan = scale->max() - scale->min();
  AddPlotImage(*chart, *x, *y, PlotImageLayer::UnderGrid,
               [across, up, grid = std::move(grid), scaleLow, scaleSpan](QImage& image, const PlotMapping& mapping) {
                 std::vector<std::optional<std::size_t>> columns(std::size_t(mapping.width));
                 for (int c = 0; c < mapping.width; ++c) columns[std::size_t(c)] = across.CellAt(mapping.XAt(c));
                 for (int r = 0; r < mapping.height; ++r) {
                   const std::optional<std::size_t> row = up.CellAt(mapping.YAt(r));
                   if (!row) continue;
                   auto* line = reinterpret_cast<QRgb*>(image.scanLine(r));
                   for (int c = 0; c < mapping.width; ++c) {
                     if (!columns[std::size_t(c)]) continue;
                     const Cell& cell = grid[*columns[std::size_t(c)] * up.values.size() + *row];
                     if (!cell.present) continue;
                     line[c] = (cell.value ? ScaleColour((*cell.value - scaleLow) / scaleSpan) : kMissingGrey).rgba();
                   }
                 }
               });
  return chart;
}
