#include "DynamicsPicture.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QScatterSeries>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "ChartFile.h"
#include "ChartParts.h"
#include "ColumnReduction.h"

namespace {

constexpr double kCycleDeg = 720;
constexpr double kLandingSpanDeg = 60;  // the magnified landing: this much either side
const QSize kPanelSize(1200, 380);

QString Number(double value) { return QString::number(value, 'g', 6); }

struct Trace {
  QString name;
  std::function<double(const ElasticRow&)> value;
};

// One panel over crank angles from..to; marks, if any, as points on the first axis pair.
std::unique_ptr<QChart> Panel(const QString& headline, const QString& settings, const QString& valueTitle,
                              const std::vector<ElasticRow>& rows, const std::vector<Trace>& traces,
                              const CrankOrigin& origin, double from, double to, QScatterSeries* marks) {
  auto chart = NewChart(headline, settings);
  const double span = to - from;
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QString::fromStdString(origin.AxisTitle()), from, to,
                            NiceInterval(span));
  double low = 0;
  double high = 0;
  std::vector<QAbstractSeries*> series;
  for (std::size_t n = 0; n < traces.size(); ++n) {
    std::vector<QPointF> points;
    for (const ElasticRow& row : rows) {
      double shown = origin.Shown(row.crankDeg);
      if (shown < from) shown += kCycleDeg;  // a window across the cycle's end
      if (shown >= from && shown <= to) points.emplace_back(shown, traces[n].value(row));
    }
    std::sort(points.begin(), points.end(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    auto* line = new QLineSeries;
    line->setName(traces[n].name);
    QPen pen(CurveColour(n));
    pen.setWidthF(1.8);
    line->setPen(pen);
    for (const QPointF& point : ReducedToColumns(points, from, to, kPictureColumns)) {
      line->append(point);
      low = std::min(low, point.y());
      high = std::max(high, point.y());
    }
    chart->addSeries(line);
    series.push_back(line);
  }
  if (marks != nullptr) {
    chart->addSeries(marks);
    series.push_back(marks);
  }
  QValueAxis* y = RoundedAxis(*chart, Qt::AlignLeft, valueTitle, low, high);
  for (QAbstractSeries* s : series) Attach(s, {x, y});
  chart->legend()->setAlignment(Qt::AlignRight);
  return chart;
}

// The seat impacts within from..to as points on the seat, the largest named.
QScatterSeries* Impacts(const ElasticCycle& cycle, const CrankOrigin& origin, double from, double to) {
  auto* marks = new QScatterSeries;
  marks->setMarkerSize(9);
  marks->setColor(QColor(200, 30, 30));
  marks->setBorderColor(QColor(200, 30, 30));
  double fastest = 0;
  for (const SeatImpact& impact : cycle.impacts) {
    double shown = origin.Shown(impact.crankDeg);
    if (shown < from) shown += kCycleDeg;
    if (shown > to) continue;
    marks->append(shown, 0);
    fastest = std::max(fastest, impact.velocityMPerS);
  }
  marks->setName(QStringLiteral("seat impacts (%1, fastest %2 m/s)").arg(marks->count()).arg(QString::number(fastest, 'f', 2)));
  return marks;
}

}  // namespace

QString WriteDynamicsPicture(const ModesOptions& options, const ElasticCycle& cycle) {
  const CrankOrigin origin = options.Origin();
  const ShaftPositions mode = *options.loads.mode;
  const ElasticParameters e = options.loads.Elastic();
  const QString settings = QStringLiteral("lever %1, eccentric %2; %3 rpm; chain %4 N/mm, damping ratio %5, "
                                          "spring %6 g in %7 masses")
                               .arg(Number(mode.lever), Number(mode.eccentric), Number(options.exact.rpm.value_or(0)),
                                    Number(e.chainStiffnessNPerMm), Number(e.dampingRatio), Number(e.springMassG))
                               .arg(e.springMasses);
  const std::vector<Trace> lifts = {
      {QStringLiteral("rigid"), [](const ElasticRow& r) { return r.kinematicLiftMm; }},
      {QStringLiteral("elastic"), [](const ElasticRow& r) { return r.liftMm; }},
  };
  // The landing: around the opening's end, where the impacts are.
  const std::optional<ValveFlight> opening = cycle.Opening();
  const double landing = origin.Shown(opening ? opening->toDeg : 0);
  const double from = landing - kLandingSpanDeg / 3;
  const double to = from + kLandingSpanDeg;
  std::unique_ptr<QChart> charts[] = {
      Panel(QStringLiteral("Valve lift, rigid chain and elastic valve train"), settings, QStringLiteral("lift (mm)"),
            cycle.rows, lifts, origin, 0, kCycleDeg, Impacts(cycle, origin, 0, kCycleDeg)),
      Panel(QStringLiteral("Chain and seat forces"), settings, QStringLiteral("force (N)"), cycle.rows,
            {{QStringLiteral("chain"), [](const ElasticRow& r) { return r.chainForceN; }},
             {QStringLiteral("seat"), [](const ElasticRow& r) { return r.seatForceN; }}},
            origin, 0, kCycleDeg, nullptr),
      Panel(QStringLiteral("The landing, magnified"), settings, QStringLiteral("lift (mm)"), cycle.rows, lifts, origin,
            from, to, Impacts(cycle, origin, from, to)),
  };
  // The magnified lift shows the last tenths of a millimetre.
  if (auto axes = charts[2]->axes(Qt::Vertical); !axes.isEmpty()) {
    if (auto* y = qobject_cast<QValueAxis*>(axes.front())) {
      y->setRange(-0.05, 0.35);
      y->setTickInterval(0.05);
    }
  }
  std::vector<QChart*> stack;
  for (auto& chart : charts) stack.push_back(chart.get());
  return SaveChartStack(stack, options.plotDir, QStringLiteral("dynamics"), kPanelSize);
}
