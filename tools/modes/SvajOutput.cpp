#include "SvajOutput.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QScatterSeries>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ChartFile.h"
#include "ChartParts.h"
#include "SvajTable.h"
#include "common/StopSignals.h"

namespace {

constexpr double kCycleDeg = 720;
constexpr double kCrankTick = 90;
const QSize kStackedChartSize(1200, 420);

QString ModeText(const ModesOptions& options) {
  const ModeSetting mode = *options.exact.svaj;
  QString text = QStringLiteral("lever %1, eccentric %2").arg(mode.lever).arg(mode.eccentric);
  if (options.exact.rpm) text += QStringLiteral(", %1 rpm").arg(*options.exact.rpm);
  return text;
}

// An axis over the values with a little room on both sides, and round ticks. The
// labels are written from whole multiples of the tick, so that zero reads "0" and not
// the rounding left over from adding up ticks.
QAbstractAxis* FittedAxis(QChart& chart, Qt::Alignment side, const QString& title, double low, double high) {
  if (!(high > low)) {
    low -= 1;
    high += 1;
  }
  const double room = (high - low) * 0.05;
  const double tick = NiceInterval(high - low + 2 * room);
  const long first = std::lround(std::floor((low - room) / tick));
  const long last = std::lround(std::ceil((high + room) / tick));
  auto* axis = new QCategoryAxis;
  axis->setTitleText(title);
  axis->setRange(first * tick, last * tick);
  axis->setStartValue(first * tick);
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  for (long k = first; k <= last; ++k) axis->append(QString::number(k * tick, 'g', 6), k * tick);
  chart.addAxis(axis, side);
  return axis;
}

// One curve against crank angle over the cycle, in a chart of its own.
std::unique_ptr<QChart> CurveChart(const QString& headline, const QString& settings, const QString& yTitle,
                                   const std::vector<SvajRow>& rows, const std::function<double(const SvajRow&)>& value,
                                   std::size_t colour) {
  auto chart = NewChart(headline, settings);
  auto* line = new QLineSeries;
  QPen pen(CurveColour(colour));
  pen.setWidthF(2);
  line->setPen(pen);
  double low = 0;
  double high = 0;
  for (const SvajRow& row : rows) {
    if (row.exact.svaj.outcome != ExactOutcome::Placed) continue;
    const double y = value(row);
    line->append(row.exact.crankDeg, y);
    low = std::min(low, y);
    high = std::max(high, y);
  }
  chart->addSeries(line);
  chart->legend()->hide();
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QStringLiteral("crank angle (degrees)"), 0, kCycleDeg, kCrankTick);
  QAbstractAxis* y = FittedAxis(*chart, Qt::AlignLeft, yTitle, low, high);
  Attach(line, {x, y});
  return chart;
}

QString WriteStackedSvaj(const ModesOptions& options, const std::vector<SvajRow>& rows) {
  const std::optional<double> rpm = options.exact.rpm;
  const auto byTime = [rpm](const SvajRow& row) { return ToTimeUnits(row.exact.svaj, *rpm); };
  const QString settings = ModeText(options) + QStringLiteral("; exact kinematics");
  std::unique_ptr<QChart> charts[] = {
      CurveChart(QStringLiteral("Valve lift, velocity, acceleration and jerk"), settings,
                 QStringLiteral("lift (mm)"), rows, [](const SvajRow& row) { return row.exact.svaj.lift; }, 0),
      rpm ? CurveChart(QStringLiteral("Velocity"), settings, QStringLiteral("velocity (mm/s)"), rows,
                       [&](const SvajRow& row) { return byTime(row).velocity; }, 1)
          : CurveChart(QStringLiteral("Velocity"), settings, QStringLiteral("velocity (mm per crank degree)"), rows,
                       [](const SvajRow& row) { return row.exact.svaj.velocity; }, 1),
      rpm ? CurveChart(QStringLiteral("Acceleration"), settings, QStringLiteral("acceleration (m/s²)"), rows,
                       [&](const SvajRow& row) { return byTime(row).acceleration; }, 2)
          : CurveChart(QStringLiteral("Acceleration"), settings, QStringLiteral("acceleration (mm per crank degree²)"),
                       rows, [](const SvajRow& row) { return row.exact.svaj.acceleration; }, 2),
      rpm ? CurveChart(QStringLiteral("Jerk"), settings, QStringLiteral("jerk (m/s³)"), rows,
                       [&](const SvajRow& row) { return byTime(row).jerk; }, 3)
          : CurveChart(QStringLiteral("Jerk"), settings, QStringLiteral("jerk (mm per crank degree³)"), rows,
                       [](const SvajRow& row) { return row.exact.svaj.jerk; }, 3),
  };
  std::vector<QChart*> stack;
  for (auto& chart : charts) stack.push_back(chart.get());
  return SaveChartStack(stack, QString::fromStdString(options.plotDir), QStringLiteral("svaj"), kStackedChartSize);
}

// The window's lift at its frames over the exact curve, and their difference on a
// second axis.
QString WriteWindowAgainstExact(const ModesOptions& options, const std::vector<SvajRow>& rows) {
  auto chart = NewChart(QStringLiteral("The window's lift against the exact lift"),
                        ModeText(options) + QStringLiteral("; ") + SpeedText(options.speed));
  auto* exact = new QLineSeries;
  exact->setName(QStringLiteral("exact lift"));
  QPen exactPen(CurveColour(0));
  exactPen.setWidthF(2);
  exact->setPen(exactPen);
  auto* window = new QScatterSeries;
  window->setName(QStringLiteral("window's lift at its frames"));
  window->setMarkerSize(7);
  window->setColor(CurveColour(1));
  window->setPen(Qt::NoPen);
  auto* difference = new QLineSeries;
  difference->setName(QStringLiteral("window minus exact (right axis)"));
  QPen differencePen(CurveColour(3));
  differencePen.setWidthF(1.5);
  difference->setPen(differencePen);

  double liftLow = 0;
  double liftHigh = 0;
  double differenceLow = 0;
  double differenceHigh = 0;
  for (const SvajRow& row : rows) {
    if (row.exact.svaj.outcome != ExactOutcome::Placed) continue;
    const double crank = row.exact.crankDeg;
    const double lift = row.exact.svaj.lift;
    exact->append(crank, lift);
    liftLow = std::min(liftLow, lift);
    liftHigh = std::max(liftHigh, lift);
    if (!row.windowLiftMm) continue;
    window->append(crank, *row.windowLiftMm);
    const double gap = *row.windowLiftMm - lift;
    difference->append(crank, gap);
    differenceLow = std::min(differenceLow, gap);
    differenceHigh = std::max(differenceHigh, gap);
  }
  chart->addSeries(exact);
  chart->addSeries(window);
  chart->addSeries(difference);
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QStringLiteral("crank angle (degrees)"), 0, kCycleDeg, kCrankTick);
  QAbstractAxis* lift = FittedAxis(*chart, Qt::AlignLeft, QStringLiteral("valve lift (mm)"), liftLow, liftHigh);
  QAbstractAxis* gap =
      FittedAxis(*chart, Qt::AlignRight, QStringLiteral("window minus exact (mm)"), differenceLow, differenceHigh);
  Attach(exact, {x, lift});
  Attach(window, {x, lift});
  Attach(difference, {x, gap});
  chart->legend()->setAlignment(Qt::AlignBottom);
  return SaveChart(*chart, QString::fromStdString(options.plotDir), QStringLiteral("window-vs-exact"));
}

}  // namespace

QString WriteSvajPictures(const ModesOptions& options, const std::vector<SvajRow>& rows) {
  if (QString error = WriteStackedSvaj(options, rows); !error.isEmpty() || StopSignal() != 0) return error;
  return WriteWindowAgainstExact(options, rows);
}
