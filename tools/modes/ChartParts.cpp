#include "ChartParts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QColorAxis>
#include <algorithm>
#include <cmath>

#include "api/ColourScaleStops.h"

const QString kLeverAxisTitle =
    QStringLiteral("green control shaft (lever), bar value (a step turns the lever by 1/300 rad)");
const QString kEccentricAxisTitle =
    QStringLiteral("orange control shaft (eccentric), bar value (a step is 1/10 degree)");

QColor CurveColour(std::size_t n) {
  static const QColor colours[] = {{31, 119, 180}, {255, 127, 14}, {44, 160, 44},  {214, 39, 40},
                                   {148, 103, 189}, {140, 86, 75}, {227, 119, 194}, {127, 127, 127},
                                   {188, 189, 34},  {23, 190, 207}, {0, 0, 0},      {174, 199, 232}};
  return colours[n % std::size(colours)];
}

QString SpeedText(int speed) {
  return QStringLiteral("speed %1 (%2 cam %3 per frame)")
      .arg(speed)
      .arg(speed / 100.0)
      .arg(speed == 100 ? QStringLiteral("degree") : QStringLiteral("degrees"));
}

double NiceInterval(double range) {
  const double rough = std::max(range, 1e-9) / 6;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  // The nearest of them from a little below: 121 takes 20 (seven ticks), not 50 (three).
  for (double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= rough * 0.75) return factor * power;
  }
  return 10 * power;
}

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

QValueAxis* RoundedAxis(QChart& chart, Qt::Alignment side, const QString& title, double low, double high) {
  if (!(high > low)) high = low + 1;
  const double tick = NiceInterval(high - low);
  return ValueAxis(chart, side, title, std::floor(low / tick) * tick, std::ceil(high / tick) * tick, tick);
}

QAbstractAxis* FittedAxis(QChart& chart, Qt::Alignment side, const QString& title, double low, double high) {
  if (!(high > low)) {
    low -= 1;
    high += 1;
  }
  // An end within a hair of zero is zero (a shut valve's lift, say), and the axis
  // starts there instead of a whole tick beyond it.
  const double hair = (high - low) * 0.02;
  if (low < 0 && -low < hair) low = 0;
  if (high > 0 && high < hair) high = 0;
  const double room = (high - low) * 0.05;
  const double tick = NiceInterval(high - low + 2 * room);
  const long first = std::lround(std::floor((low == 0 ? 0 : low - room) / tick));
  const long last = std::lround(std::ceil((high == 0 ? 0 : high + room) / tick));
  auto* axis = new QCategoryAxis;
  axis->setTitleText(title);
  axis->setRange(double(first) * tick, double(last) * tick);
  axis->setStartValue(double(first) * tick);
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  for (long k = first; k <= last; ++k) axis->append(QString::number(double(k) * tick, 'g', 6), double(k) * tick);
  chart.addAxis(axis, side);
  return axis;
}

namespace {
constexpr const char* kPlainTitle = "plainTitle";
}  // namespace

std::unique_ptr<QChart> NewChart(const QString& headline, const QString& settings) {
  auto chart = std::make_unique<QChart>();
  if (!headline.isEmpty()) {
    chart->setTitle(settings.isEmpty() ? QStringLiteral("<b>%1</b>").arg(headline.toHtmlEscaped())
                                       : QStringLiteral("<b>%1</b><br><small>%2</small>")
                                             .arg(headline.toHtmlEscaped(), settings.toHtmlEscaped()));
    chart->setProperty(kPlainTitle, settings.isEmpty() ? headline : headline + QStringLiteral(" — ") + settings);
  }
  QFont font = chart->titleFont();
  font.setPointSize(13);
  chart->setTitleFont(font);
  chart->setBackgroundRoundness(0);
  return chart;
}

QString PlainTitle(const QChart& chart) { return chart.property(kPlainTitle).toString(); }

void Attach(QAbstractSeries* series, std::initializer_list<QAbstractAxis*> axes) {
  for (QAbstractAxis* axis : axes) series->attachAxis(axis);
}

QLinearGradient ScaleGradient() {
  QLinearGradient gradient(0, 0, 0, 100);
  for (const ColourScaleStop& stop : kColourScaleStops) gradient.setColorAt(stop.at, QColor(stop.red, stop.green, stop.blue));
  return gradient;
}

QColor ScaleColour(double fraction) {
  const double t = std::clamp(std::isfinite(fraction) ? fraction : 0.0, 0.0, 1.0);
  std::size_t upper = 1;
  while (upper + 1 < std::size(kColourScaleStops) && kColourScaleStops[upper].at < t) ++upper;
  const ColourScaleStop& a = kColourScaleStops[upper - 1];
  const ColourScaleStop& b = kColourScaleStops[upper];
  const double s = (t - a.at) / (b.at - a.at);
  const auto mix = [s](int from, int to) { return int(std::lround(from + (to - from) * s)); };
  return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
}

QColorAxis* ColourScale(QChart& chart, const QString& title, double low, double high) {
  const double tick = NiceInterval(high > low ? high - low : std::max(std::abs(low), 1.0));
  double min = std::floor(low / tick) * tick;
  double max = std::ceil(high / tick) * tick;
  if (!(max > min)) {
    min -= tick;
    max += tick;
  }
  auto* axis = new QColorAxis;
  axis->setGradient(ScaleGradient());
  axis->setRange(min, max);
  axis->setTickCount(int(std::lround((max - min) / tick)) + 1);
  axis->setTitleText(title);
  chart.addAxis(axis, Qt::AlignRight);
  return axis;
}
