#include "MapCharts.h"

#include <QChart>
#include <QColorAxis>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <optional>

#include "ChartParts.h"
#include "CrankPanels.h"
#include "PlotImage.h"
#include "ShaftHeatMap.h"

namespace {

const QString kDurationTitle = QStringLiteral("duration above 1 mm lift (crank degrees)");
const QString kMaxLiftTitle = QStringLiteral("maximum valve lift (mm)");
constexpr double kPointDiameterPx = 6;

QString GridText(const MapDescription& map) {
  return QStringLiteral("lever bar: %1; eccentric bar: %2; %3").arg(map.lever, map.eccentric, SpeedText(map.speed));
}

std::unique_ptr<QChart> MapOf(const std::vector<ModeResult>& results, const MapDescription& map,
                              const QString& headline, const QString& valueTitle, const QString& missingName,
                              std::optional<double> (*valueOf)(const ModeResult&)) {
  ShaftHeatMap heatMap{headline, GridText(map), valueTitle, missingName, {}};
  heatMap.cells.reserve(results.size());
  for (const ModeResult& r : results) heatMap.cells.push_back({double(r.mode.lever), double(r.mode.eccentric), valueOf(r)});
  return ShaftHeatMapChart(heatMap);
}

}  // namespace

std::unique_ptr<QChart> LiftDurationChart(const std::vector<ModeResult>& results, const MapDescription& map) {
  struct Point {
    double duration, lift, lever;
  };
  std::vector<Point> points;
  double longest = 0, highest = 0;
  std::optional<double> leverLow, leverHigh;
  for (const ModeResult& r : results) {
    const std::optional<double> duration = r.summary.atFullLift.durationCrankDeg;
    if (!duration || !r.summary.maxLiftMm) continue;
    points.push_back({*duration, *r.summary.maxLiftMm, double(r.mode.lever)});
    longest = std::max(longest, *duration);
    highest = std::max(highest, *r.summary.maxLiftMm);
    leverLow = std::min(leverLow.value_or(r.mode.lever), double(r.mode.lever));
    leverHigh = std::max(leverHigh.value_or(r.mode.lever), double(r.mode.lever));
  }
  auto chart = NewChart(
      QStringLiteral("Lift against duration: %1 of %2 modes reach 1 mm").arg(points.size()).arg(results.size()),
      GridText(map));
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, kDurationTitle, 0, RoundedUp(longest, 45), 45);
  // A little headroom, so that the highest points are not cut by the frame.
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, kMaxLiftTitle, 0, RoundedUp(highest * 1.02, 2), 2);
  // The scale spans the lever values of the points shown, as the colours do.
  QColorAxis* scale = ColourScale(*chart, kLeverAxisTitle, leverLow.value_or(0), leverHigh.value_or(0));
  const double scaleLow = scale->min();
  const double scaleSpan = scale->max() - scale->min();
  AddPlotImage(*chart, *x, *y, PlotImageLayer::OverGrid, [points = std::move(points), scaleLow, scaleSpan](QImage& image, const PlotMapping& at) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const Point& point : points) {
      painter.setBrush(ScaleColour((point.lever - scaleLow) / scaleSpan));
      painter.drawEllipse(at.ToPixel(point.duration, point.lift), kPointDiameterPx / 2, kPointDiameterPx / 2);
    }
  });
  chart->legend()->hide();
  return chart;
}

std::unique_ptr<QChart> MaxLiftMapChart(const std::vector<ModeResult>& results, const MapDescription& map) {
  return MapOf(results, map, QStringLiteral("Maximum valve lift of each mode"), kMaxLiftTitle,
               QStringLiteral("no lift computed"), [](const ModeResult& r) { return r.summary.maxLiftMm; });
}

std::unique_ptr<QChart> DurationMapChart(const std::vector<ModeResult>& results, const MapDescription& map) {
  return MapOf(results, map, QStringLiteral("Duration above 1 mm lift of each mode"), kDurationTitle,
               QStringLiteral("never reaches 1 mm"),
               [](const ModeResult& r) { return r.summary.atFullLift.durationCrankDeg; });
}

std::unique_ptr<QChart> LiftCurvesChart(const std::vector<LiftCurve>& curves, int speed, const CrankOrigin& origin) {
  CrankPanel panel{QStringLiteral("valve lift (mm)"), {}};
  std::vector<std::vector<QPointF>> lifts;
  for (const LiftCurve& curve : curves) {
    std::vector<QPointF> points;
    for (const LiftSample& sample : curve.samples) points.emplace_back(origin.Shown(sample.crankDeg), sample.liftMm);
    QString name = QStringLiteral("lever %1, eccentric %2").arg(curve.mode.lever).arg(curve.mode.eccentric);
    if (curve.exact) name += QStringLiteral(" (exact model)");
    panel.curves.push_back({name, points});
    lifts.push_back(std::move(points));
  }
  auto charts = CrankPanelCharts(QStringLiteral("Valve lift against crank angle"), SpeedText(speed),
                                 OpenPartSpan(lifts, origin), {panel});
  charts.front()->legend()->setAlignment(Qt::AlignRight);
  return std::move(charts.front());
}
