#include "MapCharts.h"

#include "ChartParts.h"

#include <QChart>
#include <QColorAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLinearGradient>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Plot area of the charts' usual size, a little generously, for sizing heat-map
// cells: neighbouring cells may overlap but must leave no gap.
constexpr double kPlotWidthPx = 1000;
constexpr double kPlotHeightPx = 680;

// Dark blue through green to yellow: even steps look evenly different, and the
// order reads the same in grey.
QLinearGradient ScaleGradient() {
  QLinearGradient gradient(0, 0, 0, 100);
  gradient.setColorAt(0.0, QColor(68, 1, 84));
  gradient.setColorAt(0.25, QColor(59, 82, 139));
  gradient.setColorAt(0.5, QColor(33, 145, 140));
  gradient.setColorAt(0.75, QColor(94, 201, 98));
  gradient.setColorAt(1.0, QColor(253, 231, 37));
  return gradient;
}

}  // namespace

// Distinct colours for a handful of curves.
QColor CurveColour(std::size_t n) {
  static const QColor colours[] = {{31, 119, 180}, {255, 127, 14}, {44, 160, 44},  {214, 39, 40},
                                   {148, 103, 189}, {140, 86, 75}, {227, 119, 194}, {127, 127, 127},
                                   {188, 189, 34},  {23, 190, 207}, {0, 0, 0},      {174, 199, 232}};
  return colours[n % std::size(colours)];
}

QString SpeedText(int speed) {
  return QStringLiteral("speed %1 (%2 cam degrees per frame)").arg(speed).arg(speed / 100.0);
}

QString GridText(const MapDescription& map) {
  return QStringLiteral("lever bar: %1; eccentric bar: %2; %3").arg(map.lever, map.eccentric, SpeedText(map.speed));
}

const QString kLeverAxisTitle = QStringLiteral("lever bar VScroll1 value (lever turned by -value/300 rad)");
const QString kEccentricAxisTitle = QStringLiteral("eccentric bar VScroll2 value (tenths of a degree)");
const QString kDurationTitle = QStringLiteral("duration above 1 mm lift (crank degrees)");
const QString kMaxLiftTitle = QStringLiteral("maximum valve lift (mm)");

// A round tick interval giving about six ticks over the range: 1, 2 or 5 times a
// power of ten.
double NiceInterval(double range) {
  const double rough = std::max(range, 1e-9) / 6;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= rough) return factor * power;
  }
  return 10 * power;
}

// A round upper end for an axis from 0: the next multiple of the tick interval.
double RoundedUp(double value, double interval) { return std::max(interval, std::ceil(value / interval) * interval); }

QValueAxis* ValueAxis(QChart& chart, Qt::Alignment side, const QString& title, double min, double max,
                      std::optional<double> tickInterval) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setRange(min, max);
  if (tickInterval) {
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(*tickInterval);
  }
  axis->setLabelFormat(QStringLiteral("%g"));
  chart.addAxis(axis, side);
  return axis;
}

QColorAxis* ColourScale(QChart& chart, const QString& title, double min, double max) {
  auto* axis = new QColorAxis;
  axis->setGradient(ScaleGradient());
  axis->setRange(min, max == min ? min + 1 : max);
  axis->setTitleText(title);
  chart.addAxis(axis, Qt::AlignRight);
  return axis;
}

// A headline and, in smaller type below it, the settings it was computed with.
std::unique_ptr<QChart> NewChart(const QString& headline, const QString& settings) {
  auto chart = std::make_unique<QChart>();
  chart->setTitle(QStringLiteral("<b>%1</b><br><small>%2</small>").arg(headline.toHtmlEscaped(), settings.toHtmlEscaped()));
  QFont font = chart->titleFont();
  font.setPointSize(13);
  chart->setTitleFont(font);
  chart->setBackgroundRoundness(0);
  return chart;
}

QScatterSeries* Markers(QScatterSeries::MarkerShape shape, double size) {
  auto* series = new QScatterSeries;
  series->setMarkerShape(shape);
  series->setMarkerSize(size);
  series->setPen(Qt::NoPen);
  return series;
}

void Attach(QAbstractSeries* series, std::initializer_list<QAbstractAxis*> axes) {
  for (QAbstractAxis* axis : axes) series->attachAxis(axis);
}

namespace {

// The grid's own value of each bar, sorted and without repeats.
std::vector<int> Distinct(const std::vector<ModeResult>& results, int ModeSetting::*bar) {
  std::vector<int> values;
  for (const ModeResult& r : results) values.push_back(r.mode.*bar);
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  return values;
}

// Half a grid step beyond the outer values, so the outer cells show whole.
std::pair<double, double> CellRange(const std::vector<int>& values) {
  const double half = values.size() > 1 ? (values.back() - values.front()) / (2.0 * (values.size() - 1)) : 0.5;
  return {values.front() - half, values.back() + half};
}

double WidestStep(const std::vector<int>& values) {
  int widest = 1;
  for (std::size_t i = 1; i < values.size(); ++i) widest = std::max(widest, values[i] - values[i - 1]);
  return widest;
}

// A heat map of one value over the grid; modes without it go into a grey series.
}  // namespace

std::unique_ptr<QChart> GridChart(const std::vector<ModeResult>& results, const QString& headline,
                                  const QString& settings, const QString& valueTitle, const QString& missingName,
                                  const std::function<std::optional<double>(std::size_t)>& valueOf) {
  auto chart = NewChart(headline, settings);
  if (results.empty()) return chart;
  const std::vector<int> levers = Distinct(results, &ModeSetting::lever);
  const std::vector<int> eccentrics = Distinct(results, &ModeSetting::eccentric);
  const auto [leverLow, leverHigh] = CellRange(levers);
  const auto [eccentricLow, eccentricHigh] = CellRange(eccentrics);
  // Rounded grid values are not evenly spaced: a cell must span the widest step.
  const double cell = std::clamp(std::max(kPlotWidthPx * WidestStep(levers) / (leverHigh - leverLow),
                                          kPlotHeightPx * WidestStep(eccentrics) / (eccentricHigh - eccentricLow)) +
                                     2,
                                 3.0, 80.0);

  QScatterSeries* cells = Markers(QScatterSeries::MarkerShapeRectangle, cell);
  QScatterSeries* missing = Markers(QScatterSeries::MarkerShapeRectangle, cell);
  missing->setColor(QColor(200, 200, 200));
  missing->setName(missingName);
  QList<qreal> values;
  double low = 0, high = 0;
  for (std::size_t i = 0; i < results.size(); ++i) {
    const ModeResult& r = results[i];
    const std::optional<double> value = valueOf(i);
    if (!value) {
      missing->append(r.mode.lever, r.mode.eccentric);
      continue;
    }
    cells->append(r.mode.lever, r.mode.eccentric);
    low = values.isEmpty() ? *value : std::min(low, *value);
    high = values.isEmpty() ? *value : std::max(high, *value);
    values.append(*value);
  }
  chart->addSeries(missing);
  chart->addSeries(cells);
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, kLeverAxisTitle, leverLow, leverHigh,
                            NiceInterval(leverHigh - leverLow));
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, kEccentricAxisTitle, eccentricLow, eccentricHigh,
                            NiceInterval(eccentricHigh - eccentricLow));
  QColorAxis* scale = ColourScale(*chart, valueTitle, low, high);
  Attach(missing, {x, y});
  Attach(cells, {x, y, scale});
  cells->colorBy(values, ScaleGradient());

  chart->legend()->setAlignment(Qt::AlignBottom);
  for (QLegendMarker* marker : chart->legend()->markers(cells)) marker->setVisible(false);
  chart->legend()->setVisible(!missing->points().isEmpty());
  return chart;
}

std::unique_ptr<QChart> LiftDurationChart(const std::vector<ModeResult>& results, const MapDescription& map) {
  QScatterSeries* points = Markers(QScatterSeries::MarkerShapeCircle, 6);
  QList<qreal> levers;
  double longest = 0, highest = 0;
  for (const ModeResult& r : results) {
    const std::optional<double> duration = r.summary.atFullLift.durationCrankDeg;
    if (!duration || !r.summary.maxLiftMm) continue;
    points->append(*duration, *r.summary.maxLiftMm);
    levers.append(r.mode.lever);
    longest = std::max(longest, *duration);
    highest = std::max(highest, *r.summary.maxLiftMm);
  }
  auto chart = NewChart(
      QStringLiteral("Lift against duration: %1 of %2 modes reach 1 mm").arg(points->count()).arg(results.size()),
      GridText(map));
  chart->addSeries(points);
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, kDurationTitle, 0, RoundedUp(longest, 45), 45);
  // A little headroom, so that the highest points are not cut by the frame.
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, kMaxLiftTitle, 0, RoundedUp(highest * 1.02, 2), 2);
  // The scale spans the lever values of the points shown, as the colours do.
  const auto [leverLow, leverHigh] = std::minmax_element(levers.begin(), levers.end());
  QColorAxis* scale = ColourScale(*chart, QStringLiteral("lever bar VScroll1 value"),
                                  levers.isEmpty() ? 0 : *leverLow, levers.isEmpty() ? 0 : *leverHigh);
  Attach(points, {x, y, scale});
  points->colorBy(levers, ScaleGradient());
  chart->legend()->hide();
  return chart;
}

std::unique_ptr<QChart> MaxLiftMapChart(const std::vector<ModeResult>& results, const MapDescription& map) {
  return GridChart(results, QStringLiteral("Maximum valve lift of each mode"), GridText(map), kMaxLiftTitle,
                   QStringLiteral("no lift computed"), [&](std::size_t i) { return results[i].summary.maxLiftMm; });
}

std::unique_ptr<QChart> DurationMapChart(const std::vector<ModeResult>& results, const MapDescription& map) {
  return GridChart(results, QStringLiteral("Duration above 1 mm lift of each mode"), GridText(map), kDurationTitle, QStringLiteral("never reaches 1 mm"),
                   [&](std::size_t i) { return results[i].summary.atFullLift.durationCrankDeg; });
}

std::unique_ptr<QChart> LiftCurvesChart(const std::vector<LiftCurve>& curves, int speed) {
  auto chart = NewChart(QStringLiteral("Valve lift over one engine cycle"), SpeedText(speed));
  double highest = 0, lowest = 0;
  std::vector<QLineSeries*> lines;
  for (std::size_t n = 0; n < curves.size(); ++n) {
    auto* line = new QLineSeries;
    line->setName(QStringLiteral("lever %1, eccentric %2").arg(curves[n].mode.lever).arg(curves[n].mode.eccentric));
    QPen pen(CurveColour(n));
    pen.setWidthF(2);
    line->setPen(pen);
    for (const LiftSample& sample : curves[n].samples) {
      line->append(sample.crankDeg, sample.liftMm);
      highest = std::max(highest, sample.liftMm);
      lowest = std::min(lowest, sample.liftMm);
    }
    chart->addSeries(line);
    lines.push_back(line);
  }
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QStringLiteral("crank angle (degrees)"), 0, kCycleCrankDeg, 90);
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, QStringLiteral("valve lift (mm)"),
                            // a closed valve may show a few hundredths below zero
                            std::floor(lowest * 2) / 2, RoundedUp(highest * 1.02, 2), 2);
  for (QLineSeries* line : lines) Attach(line, {x, y});
  chart->legend()->setAlignment(Qt::AlignRight);
  return chart;
}
