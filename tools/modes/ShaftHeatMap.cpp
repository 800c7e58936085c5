#include "ShaftHeatMap.h"

#include <QChart>
#include <QColorAxis>
#include <QFontMetricsF>
#include <QLegend>
#include <QPainter>
#include <QPainterPath>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ChartParts.h"
#include "PlotImage.h"
#include "analysis/IsoLines.h"

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

// A line of one level, in bar values.
struct LevelLine {
  double level;
  std::vector<IsoPoint> points;
};

// The iso-lines' levels: the colour bar's inner ticks, every other one where there are
// more than six intervals, so that the lines stay apart.
std::vector<double> IsoLevels(const QColorAxis& scale) {
  const int intervals = scale.tickCount() - 1;
  if (intervals < 2) return {};
  const double tick = (scale.max() - scale.min()) / intervals;
  const int every = intervals > 6 ? 2 : 1;
  std::vector<double> levels;
  for (int k = every; k < intervals; k += every) levels.push_back(scale.min() + k * tick);
  return levels;
}

std::vector<LevelLine> LinesOf(const BarCells& across, const BarCells& up, const std::vector<Cell>& grid,
                               const std::vector<double>& levels) {
  std::vector<double> values;
  values.reserve(grid.size());
  for (const Cell& cell : grid) values.push_back(cell.present && cell.value ? *cell.value : NAN);
  const IsoGrid isoGrid{across.values, up.values, values};
  std::vector<LevelLine> lines;
  for (double level : levels) {
    for (std::vector<IsoPoint>& points : IsoLines(isoGrid, level)) lines.push_back({level, std::move(points)});
  }
  return lines;
}

// Each line dark on a light halo, so that it reads on every colour of the scale; a
// label with its value halfway along each line long enough to carry one, where no
// other label is.
void DrawLevelLines(QPainter& painter, const PlotMapping& at, const std::vector<LevelLine>& lines) {
  constexpr double kLabelRoomPx = 90;  // a line shorter than this gets no label
  painter.setRenderHint(QPainter::Antialiasing);
  std::vector<QPainterPath> paths;
  for (const LevelLine& line : lines) {
    QPainterPath path(at.ToPixel(line.points.front().x, line.points.front().y));
    for (const IsoPoint& point : line.points) path.lineTo(at.ToPixel(point.x, point.y));
    paths.push_back(path);
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(255, 255, 255, 170), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (const QPainterPath& path : paths) painter.drawPath(path);
  painter.setPen(QPen(QColor(25, 25, 25), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (const QPainterPath& path : paths) painter.drawPath(path);

  QFont font = painter.font();
  font.setPointSizeF(8);
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  std::vector<QRectF> placed;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    if (paths[n].length() < kLabelRoomPx) continue;
    const QString text = QString::number(lines[n].level, 'g', 6);
    const QPointF middle = paths[n].pointAtPercent(0.5);
    QRectF box = metrics.boundingRect(text).adjusted(-3, -1, 3, 1);
    box.moveCenter(middle);
    const bool overlaps = std::any_of(placed.begin(), placed.end(), [&](const QRectF& r) { return r.intersects(box); });
    if (overlaps) continue;
    placed.push_back(box);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 215));
    painter.drawRoundedRect(box, 3, 3);
    painter.setPen(QColor(25, 25, 25));
    painter.drawText(box, Qt::AlignCenter, text);
  }
}

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
  std::vector<LevelLine> lines;
  if (map.isoLines) lines = LinesOf(across, up, grid, IsoLevels(*scale));
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
  if (map.isoLines) {
    AddPlotDrawing(*chart, *x, *y, [lines = std::move(lines)](QPainter& painter, const PlotMapping& at) {
      DrawLevelLines(painter, at, lines);
    });
  }
  return chart;
}
