#pragma once

#include <QAbstractSeries>
#include <QColor>
#include <QString>
#include <QValueAxis>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <optional>

class QChart;

// The pieces every chart of torlin-modes is built from, so that all look alike.

// Distinct colours for a handful of curves.
QColor CurveColour(std::size_t n);
// "speed N (M cam degrees per frame)".
QString SpeedText(int speed);
// A round tick interval giving about six ticks over the range.
double NiceInterval(double range);
// A round upper end for an axis from 0: the next multiple of the tick interval.
double RoundedUp(double value, double interval);
QValueAxis* ValueAxis(QChart& chart, Qt::Alignment side, const QString& title, double min, double max,
                      std::optional<double> tickInterval = std::nullopt);
// A headline and, in smaller type below it, the settings it was computed with.
std::unique_ptr<QChart> NewChart(const QString& headline, const QString& settings);
void Attach(QAbstractSeries* series, std::initializer_list<QAbstractAxis*> axes);
