#pragma once

#include <QAbstractSeries>
#include <QColor>
#include <QLinearGradient>
#include <QString>
#include <QValueAxis>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <optional>

class QChart;
class QColorAxis;

// The pieces every chart of torlin-modes is built from, so that all look alike.

// The two control shafts as the axes of a map over the modes name them, with the unit
// of a bar step.
extern const QString kLeverAxisTitle;
extern const QString kEccentricAxisTitle;

// Distinct colours for a handful of curves.
QColor CurveColour(std::size_t n);
// "speed N (M cam degrees per frame)", singular for exactly one degree.
QString SpeedText(int speed);
// A round tick interval giving six to eight ticks over the range: 1, 2 or 5 times a power
// of ten.
double NiceInterval(double range);
// A round upper end for an axis from 0: the next multiple of the tick interval.
double RoundedUp(double value, double interval);
QValueAxis* ValueAxis(QChart& chart, Qt::Alignment side, const QString& title, double min, double max,
                      std::optional<double> tickInterval = std::nullopt);
// An axis from the round value at or below low to the one at or above high, ticked at
// round values (a range of 1 from low if high is not above it).
QValueAxis* RoundedAxis(QChart& chart, Qt::Alignment side, const QString& title, double low, double high);
// An axis over low..high with a little room on both sides and round ticks, whose
// labels are written from whole multiples of the tick, so that zero reads "0".
QAbstractAxis* FittedAxis(QChart& chart, Qt::Alignment side, const QString& title, double low, double high);
// A headline and, in smaller type below it, the settings it was computed with (the
// headline alone when settings is empty).
std::unique_ptr<QChart> NewChart(const QString& headline, const QString& settings);
// The title of a chart made by NewChart as plain text: "headline — settings".
QString PlainTitle(const QChart& chart);
void Attach(QAbstractSeries* series, std::initializer_list<QAbstractAxis*> axes);

// The colour scale of every map: dark blue through green to yellow, so that even steps
// look evenly different and the order reads the same in grey.
QLinearGradient ScaleGradient();
// The scale's colour at a fraction 0..1 of its range (clamped).
QColor ScaleColour(double fraction);

// A colour bar beside the plot over low..high, widened to round values so that its
// ticks fall on them; a single value gets a range around it.
QColorAxis* ColourScale(QChart& chart, const QString& title, double low, double high);
