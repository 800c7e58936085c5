#include "SvajCharts.h"

#include <QChart>
#include <QPointF>
#include <functional>

#include "ChartParts.h"
#include "CrankPanels.h"

namespace {

QString ModeText(const SvajPictureSettings& settings) {
  QString text = QStringLiteral("lever %1, eccentric %2").arg(settings.mode.lever).arg(settings.mode.eccentric);
  if (settings.rpm) text += QStringLiteral(", %1 rpm").arg(*settings.rpm);
  return text;
}

// One value of the placed rows against crank angle from origin.
std::vector<QPointF> Curve(const std::vector<SvajRow>& rows, const CrankOrigin& origin,
                           const std::function<double(const SvajRow&)>& value) {
  std::vector<QPointF> points;
  for (const SvajRow& row : rows) {
    if (row.exact.svaj.outcome == ExactOutcome::Placed) points.emplace_back(origin.Shown(row.exact.crankDeg), value(row));
  }
  return points;
}

std::vector<QPointF> ExactLift(const std::vector<SvajRow>& rows, const CrankOrigin& origin) {
  return Curve(rows, origin, [](const SvajRow& row) { return row.exact.svaj.lift; });
}

}  // namespace

QString WriteSvajPicture(const std::vector<SvajRow>& rows, const SvajPictureSettings& settings,
                         const std::string& directory) {
  const std::optional<double> rpm = settings.rpm;
  const auto byTime = [rpm](const SvajRow& row) { return ToTimeUnits(row.exact.svaj, *rpm); };
  std::vector<CrankPanel> panels;
  panels.push_back({QStringLiteral("lift (mm)"), {{{}, ExactLift(rows, settings.origin)}}});
  if (rpm) {
    panels.push_back({QStringLiteral("velocity (mm/s)"), {{{}, Curve(rows, settings.origin, [&](const SvajRow& r) { return byTime(r).velocity; })}}});
    panels.push_back({QStringLiteral("acceleration (m/s²)"),
                      {{{}, Curve(rows, settings.origin, [&](const SvajRow& r) { return byTime(r).acceleration; })}}});
    panels.push_back({QStringLiteral("jerk (m/s³)"), {{{}, Curve(rows, settings.origin, [&](const SvajRow& r) { return byTime(r).jerk; })}}});
  } else {
    panels.push_back({QStringLiteral("velocity (mm per crank degree)"),
                      {{{}, Curve(rows, settings.origin, [](const SvajRow& r) { return r.exact.svaj.velocity; })}}});
    panels.push_back({QStringLiteral("acceleration (mm per crank degree²)"),
                      {{{}, Curve(rows, settings.origin, [](const SvajRow& r) { return r.exact.svaj.acceleration; })}}});
    panels.push_back({QStringLiteral("jerk (mm per crank degree³)"),
                      {{{}, Curve(rows, settings.origin, [](const SvajRow& r) { return r.exact.svaj.jerk; })}}});
  }
  const auto charts = CrankPanelCharts(QStringLiteral("Valve lift, velocity, acceleration and jerk"),
                                       ModeText(settings) + QStringLiteral("; exact kinematics"),
                                       OpenPartSpan({panels.front().curves.front().points}, settings.origin), panels);
  return SaveCrankPanels(charts, directory, QStringLiteral("svaj"));
}

QString WriteWindowAgainstExactPicture(const std::vector<SvajRow>& rows, const SvajPictureSettings& settings,
                                       const std::string& directory) {
  std::vector<QPointF> window;
  std::vector<QPointF> difference;
  for (const SvajRow& row : rows) {
    if (row.exact.svaj.outcome != ExactOutcome::Placed || !row.windowLiftMm) continue;
    const double crank = settings.origin.Shown(row.exact.crankDeg);
    window.emplace_back(crank, *row.windowLiftMm);
    difference.emplace_back(crank, *row.windowLiftMm - row.exact.svaj.lift);
  }
  std::vector<QPointF> exact = ExactLift(rows, settings.origin);
  const CrankSpan span = OpenPartSpan({exact}, settings.origin);
  const std::vector<CrankPanel> panels = {
      {QStringLiteral("valve lift (mm)"),
       {{QStringLiteral("exact lift"), std::move(exact)},
        {QStringLiteral("window's lift at its frames"), std::move(window), true}}},
      {QStringLiteral("window minus exact (mm)"), {{QStringLiteral("window minus exact"), std::move(difference)}}},
  };
  const auto charts = CrankPanelCharts(QStringLiteral("The window's lift against the exact lift"),
                                       ModeText(settings) + QStringLiteral("; ") + SpeedText(settings.speed), span,
                                       panels);
  return SaveCrankPanels(charts, directory, QStringLiteral("window-vs-exact"), 450);
}
