#include "CrankPanels.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <algorithm>
#include <cmath>

#include "ChartFile.h"
#include "ChartParts.h"
#include "ColumnReduction.h"

namespace {

constexpr double kCycleDeg = 720;
// How far beyond the span points are kept, so that a line runs on to the frame (the
// plot area clips it) even at the coarsest sampling.
constexpr double kReachDeg = 45;
// The span's ends are whole multiples of this; its ticks fall on multiples of the tick.
constexpr double kEdgeStepDeg = 10;

double CrankTick(double span) {
  for (double tick : {10.0, 15.0, 30.0, 45.0, 90.0}) {
    if (span / tick <= 10) return tick;
  }
  return 180;
}

}  // namespace

std::vector<QPointF> CrankSpan::Shown(const std::vector<QPointF>& cyclePoints) const {
  std::vector<QPointF> shown;
  for (const QPointF& point : cyclePoints) {
    for (double shift : {-kCycleDeg, 0.0, kCycleDeg}) {
      const double x = point.x() + shift;
      if (x >= first - kReachDeg && x <= last + kReachDeg) shown.emplace_back(x, point.y());
    }
  }
  std::sort(shown.begin(), shown.end(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
  return shown;
}

CrankSpan OpenPartSpan(const std::vector<std::vector<QPointF>>& liftCurves, const CrankOrigin& origin,
                       double thresholdMm) {
  CrankSpan span;
  span.axisTitle = QString::fromStdString(origin.AxisTitle());
  std::vector<double> open;
  for (const auto& curve : liftCurves) {
    for (const QPointF& point : curve) {
      if (point.y() > thresholdMm) open.push_back(CrankOrigin::Wrapped(point.x()));
    }
  }
  if (open.empty()) return span;
  std::sort(open.begin(), open.end());
  // The valve is shut over the widest gap between open samples, going round the cycle;
  // the open part is the rest.
  double start = open.front();
  double end = open.back();
  double widest = open.front() + kCycleDeg - open.back();
  for (std::size_t i = 1; i < open.size(); ++i) {
    if (open[i] - open[i - 1] > widest) {
      widest = open[i] - open[i - 1];
      start = open[i] - kCycleDeg;
      end = open[i - 1];
    }
  }
  const double margin = std::max(15.0, 0.08 * (end - start));
  CrankSpan part = span;
  part.tick = CrankTick(end - start + 2 * margin);
  part.first = std::floor((start - margin) / kEdgeStepDeg) * kEdgeStepDeg;
  part.last = std::ceil((end + margin) / kEdgeStepDeg) * kEdgeStepDeg;
  return part.last - part.first > kCycleDeg - 2 * kReachDeg ? span : part;
}

std::vector<std::unique_ptr<QChart>> CrankPanelCharts(const QString& headline, const QString& settings,
                                                      const CrankSpan& span, const std::vector<CrankPanel>& panels) {
  std::vector<std::unique_ptr<QChart>> charts;
  std::size_t colour = 0;
  for (const CrankPanel& panel : panels) {
    auto chart = charts.empty() ? NewChart(headline, settings) : NewChart({}, {});
    double low = 0;
    double high = 0;
    bool named = false;
    std::vector<QXYSeries*> series;
    for (const CrankCurve& curve : panel.curves) {
      QXYSeries* drawn = nullptr;
      if (curve.markers) {
        auto* dots = new QScatterSeries;
        dots->setMarkerSize(7);
        dots->setColor(CurveColour(colour++));
        dots->setPen(Qt::NoPen);
        drawn = dots;
      } else {
        auto* line = new QLineSeries;
        QPen pen(CurveColour(colour++));
        pen.setWidthF(2);
        line->setPen(pen);
        drawn = line;
      }
      drawn->setName(curve.name);
      named = named || !curve.name.isEmpty();
      // A line needs no more points than the picture has pixels to draw them; dots are
      // each a frame, and few.
      const std::vector<QPointF> shown = curve.markers ? span.Shown(curve.points)
                                                       : ReducedToColumns(span.Shown(curve.points), span.first,
                                                                          span.last, kPictureColumns);
      for (const QPointF& point : shown) {
        drawn->append(point);
        // The value axis fits what lies inside the frame.
        if (point.x() < span.first || point.x() > span.last) continue;
        low = std::min(low, point.y());
        high = std::max(high, point.y());
      }
      chart->addSeries(drawn);
      series.push_back(drawn);
    }
    for (QXYSeries* drawn : series) {
      if (drawn->name().isEmpty()) {
        for (QLegendMarker* marker : chart->legend()->markers(drawn)) marker->setVisible(false);
      }
    }
    QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, &panel == &panels.back() ? span.axisTitle : QString(),
                              span.first, span.last, span.tick);
    QAbstractAxis* y = FittedAxis(*chart, Qt::AlignLeft, panel.valueTitle, low, high);
    for (QXYSeries* drawn : series) Attach(drawn, {x, y});
    chart->legend()->setVisible(named);
    chart->legend()->setAlignment(Qt::AlignTop);
    charts.push_back(std::move(chart));
  }
  return charts;
}

QString SaveCrankPanels(const std::vector<std::unique_ptr<QChart>>& charts, const std::string& directory,
                        const QString& name, int panelHeight) {
  std::vector<QChart*> stack;
  for (const auto& chart : charts) stack.push_back(chart.get());
  return SaveChartStack(stack, directory, name, QSize(1200, panelHeight));
}
