#pragma once

#include <QPointF>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "api/CrankOrigin.h"

class QChart;

// Curves against crank angle, in charts stacked on one crank axis.

// The part of the cycle a picture shows. It may begin before 0: -30 is the previous
// cycle's 690, so that an opening that spans the cycle's start reads as one.
struct CrankSpan {
  double first = 0;
  double last = 720;
  double tick = 90;
  QString axisTitle = QStringLiteral("crank angle (degrees)");

  // The points of one cycle (crank angle in [0, 720), value) that fall in the span or
  // just beyond it, moved by a cycle where that brings them in, in crank order.
  std::vector<QPointF> Shown(const std::vector<QPointF>& cyclePoints) const;
};

// Where the valve is open (lift above the threshold) in any of the curves, as one span
// with a margin on both sides, rounded out to its ticks; the whole cycle from 0 when no
// curve opens or the openings leave little shut. The curves' crank angles are measured
// from origin (see CrankOrigin::Shown), and the axis title says so.
CrankSpan OpenPartSpan(const std::vector<std::vector<QPointF>>& liftCurves, const CrankOrigin& origin,
                       double thresholdMm = 0.02);

struct CrankCurve {
  QString name;  // empty: not in the legend
  std::vector<QPointF> points;  // one cycle: crank angle in [0, 720), value
  bool markers = false;         // dots at the points instead of a line
};

struct CrankPanel {
  QString valueTitle;  // the value axis's title, with the unit
  std::vector<CrankCurve> curves;
};

// One chart per panel: the first carries the headline and settings, each has a value
// axis fitted to its curves (zero included), all span the same crank range. Colours
// run on from panel to panel, so that no two curves of a picture share one.
std::vector<std::unique_ptr<QChart>> CrankPanelCharts(const QString& headline, const QString& settings,
                                                      const CrankSpan& span, const std::vector<CrankPanel>& panels);

// Saves the panels as DIR/NAME.png and .svg, 1200 pixels wide and each panel the given
// height, with their plot areas lined up.
QString SaveCrankPanels(const std::vector<std::unique_ptr<QChart>>& charts, const std::string& directory,
                        const QString& name, int panelHeight = 420);
