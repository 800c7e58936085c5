#include "LoadsOutput.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "ChartFile.h"
#include "ChartParts.h"
#include "ColumnReduction.h"
#include "api/LoadsTable.h"
#include "ShaftHeatMap.h"
#include "analysis/ElasticSpeedLimits.h"
#include "common/StopSignals.h"

namespace {

constexpr double kCycleDeg = 720;
constexpr double kCrankTick = 90;
const QSize kPanelSize(1200, 380);

QString Number(double value) { return QString::number(value, 'g', 6); }

// The load model's parameters; the engine speed first, unless the figure shown does not
// depend on it.
enum class SpeedShown { Yes, No };
QString LoadSettingsCaption(const ModesOptions& options, SpeedShown speed = SpeedShown::Yes) {
  const LoadParameters p = options.loads.Parameters(options.exact.rpm);
  const QString settings =
      QStringLiteral("spring %1 N/mm, preload %2 N; moving mass %3 g; rollers %4 mm wide, E %5 GPa, "
                     "Poisson %6; exact kinematics")
          .arg(Number(p.springRateNPerMm), Number(p.springPreloadN), Number(p.movingMassG), Number(p.rollerWidthMm),
               Number(p.youngsModulusGPa), Number(p.poisson));
  if (speed == SpeedShown::No) return settings;
  return (options.exact.rpm ? QStringLiteral("%1 rpm; ").arg(Number(p.rpm)) : QStringLiteral("at rest (no inertia); ")) +
         settings;
}

// Short enough to fit beside the load model's settings on one line.
QString ElasticSettings(const ModesOptions& options) {
  const ElasticParameters e = options.loads.Elastic();
  return QStringLiteral("; chain %1 N/mm, damping %2").arg(Number(e.chainStiffnessNPerMm), Number(e.dampingRatio));
}

QString FrictionSettings(const ModesOptions& options) {
  const FrictionParameters f = *options.loads.Friction();
  return QStringLiteral("; \u03bc %1, \u03b7 %2 Pa s, \u03c3 %3 \u00b5m")
      .arg(Number(f.coefficient), Number(f.oil.viscosityPaS), Number(f.oil.compositeRoughnessUm));
}

struct Curve {
  QString name;
  std::function<std::optional<double>(const LoadRow&)> value;  // none: no point
};

// One panel: the curves over the crank axis, the rows in crank order from origin. A jump
// shows as a vertical step: its two rows share a crank angle.
std::unique_ptr<QChart> Panel(const QString& headline, const QString& settings, const QString& valueTitle,
                              const std::vector<const LoadRow*>& rows, const std::vector<Curve>& curves,
                              const CrankOrigin& origin) {
  auto chart = NewChart(headline, settings);
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QString::fromStdString(origin.AxisTitle()), 0, kCycleDeg, kCrankTick);
  double low = 0;
  double high = 0;
  std::vector<QLineSeries*> lines;
  for (std::size_t n = 0; n < curves.size(); ++n) {
    auto* line = new QLineSeries;
    line->setName(curves[n].name);
    QPen pen(CurveColour(n));
    pen.setWidthF(1.8);
    line->setPen(pen);
    std::vector<QPointF> points;
    for (const LoadRow* row : rows) {
      const std::optional<double> value = curves[n].value(*row);
      if (value) points.emplace_back(origin.Shown(row->crankDeg), *value);
    }
    for (const QPointF& point : ReducedToColumns(points, 0, kCycleDeg, kPictureColumns)) {
      line->append(point);
      low = std::min(low, point.y());
      high = std::max(high, point.y());
    }
    chart->addSeries(line);
    lines.push_back(line);
  }
  QValueAxis* y = RoundedAxis(*chart, Qt::AlignLeft, valueTitle, low, high);
  for (QLineSeries* line : lines) Attach(line, {x, y});
  chart->legend()->setAlignment(Qt::AlignRight);
  chart->legend()->setVisible(curves.size() > 1);
  return chart;
}

}  // namespace

QString WriteLoadsPictures(const ModesOptions& options, const std::vector<LoadRow>& rows) {
  const CrankOrigin origin = options.Origin();
  std::vector<const LoadRow*> shown;
  for (const LoadRow& row : rows) {
    if (row.determinate) shown.push_back(&row);
  }
  std::stable_sort(shown.begin(), shown.end(), [origin](const LoadRow* a, const LoadRow* b) {
    return origin.Shown(a->crankDeg) < origin.Shown(b->crankDeg);
  });
  const ShaftPositions mode = *options.loads.mode;
  const QString settings =
      QStringLiteral("lever %1, eccentric %2; ").arg(Number(mode.lever), Number(mode.eccentric)) + LoadSettingsCaption(options);
  std::unique_ptr<QChart> charts[] = {
      Panel(QStringLiteral("Forces, torques, contact pressures and pressure angle"), settings,
            QStringLiteral("force (N)"), shown,
            {{QStringLiteral("valve"), [](const LoadRow& r) -> std::optional<double> { return r.valveForceN; }},
             {QStringLiteral("cam contact"), [](const LoadRow& r) -> std::optional<double> { return r.camContactN; }},
             {QStringLiteral("lever contact"), [](const LoadRow& r) -> std::optional<double> { return r.leverContactN; }},
             {QStringLiteral("roller contact"), [](const LoadRow& r) -> std::optional<double> { return r.rollerContactN; }},
             {QStringLiteral("rod"), [](const LoadRow& r) -> std::optional<double> { return r.rodForceN; }},
             {QStringLiteral("link"), [](const LoadRow& r) -> std::optional<double> { return r.linkForceN; }}},
            origin),
      Panel(QStringLiteral("Torques"), settings, QStringLiteral("torque (N m)"), shown,
            {{QStringLiteral("camshaft"), [](const LoadRow& r) -> std::optional<double> { return r.camshaftTorqueNm; }},
             {QStringLiteral("green shaft"), [](const LoadRow& r) -> std::optional<double> { return r.greenTorqueNm; }},
             {QStringLiteral("orange shaft"), [](const LoadRow& r) -> std::optional<double> { return r.orangeTorqueNm; }}},
            origin),
      Panel(QStringLiteral("Hertz pressures"), settings, QStringLiteral("largest pressure (MPa)"), shown,
            {{QStringLiteral("cam"), [](const LoadRow& r) -> std::optional<double> { return r.camHertzMPa; }},
             {QStringLiteral("lever"), [](const LoadRow& r) -> std::optional<double> { return r.leverHertzMPa; }},
             {QStringLiteral("rollers"), [](const LoadRow& r) -> std::optional<double> { return r.rollerHertzMPa; }}},
            origin),
      Panel(QStringLiteral("Pressure angle"), settings, QStringLiteral("cam pressure angle (degrees)"), shown,
            {{QStringLiteral("pressure angle"), [](const LoadRow& r) -> std::optional<double> { return r.pressureAngleDeg; }}},
            origin),
  };
  std::vector<QChart*> stack;
  for (auto& chart : charts) stack.push_back(chart.get());
  return SaveChartStack(stack, options.plotDir, QStringLiteral("loads"), kPanelSize);
}

QString WriteLoadsMapPictures(const ModesOptions& options, const std::vector<ModeResult>& modes,
                              const std::vector<LoadSummary>& loads, const std::vector<FrictionSummary>& friction,
                              const std::vector<MapDynamics>& dynamics) {
  const std::string& folder = options.plotDir;
  const auto value = [&](std::optional<AtCrank> LoadSummary::*member) {
    return [&loads, member](std::size_t i) {
      const std::optional<AtCrank>& at = loads[i].*member;
      return at ? std::optional<double>(at->value) : std::nullopt;
    };
  };
  const auto peakSize = [&](TorqueSummary LoadSummary::*torque) {
    return [&loads, torque](std::size_t i) {
      const std::optional<AtCrank>& peak = (loads[i].*torque).peakNm;
      return peak ? std::optional<double>(std::abs(peak->value)) : std::nullopt;
    };
  };
  struct Map {
    const char* name;
    SpeedShown speed;
    QString headline;
    QString valueTitle;
    QString missing;
    std::function<std::optional<double>(std::size_t)> valueOf;
    bool elastic = false;  // the elastic model's parameters join the settings
    bool friction = false;  // and friction's
  };
  std::vector<Map> maps = {
      {"green-torque-map", SpeedShown::Yes, QStringLiteral("Peak torque on the green shaft (lever)"),
       QStringLiteral("largest holding torque, size (N m)"), QStringLiteral("no load"), peakSize(&LoadSummary::green), false},
      {"orange-torque-map", SpeedShown::Yes, QStringLiteral("Peak torque on the orange shaft (eccentric)"),
       QStringLiteral("largest holding torque, size (N m)"), QStringLiteral("no load"), peakSize(&LoadSummary::orange), false},
      {"separation-map", SpeedShown::No, QStringLiteral("Engine speed at which the valve leaves the cam"),
       QStringLiteral("separation speed (rpm; %1 and above in one colour)").arg(kSeparationScaleTopRpm),
       QStringLiteral("never decelerates"),
       [&](std::size_t i) {
         const std::optional<double> rpm = value(&LoadSummary::separationRpm)(i);
         return rpm ? std::optional<double>(std::min(*rpm, double(kSeparationScaleTopRpm))) : std::nullopt;
       },
       false},
      {"cam-hertz-map", SpeedShown::Yes, QStringLiteral("Peak Hertz pressure between cam and roller"),
       QStringLiteral("largest pressure (MPa)"), QStringLiteral("no load"), value(&LoadSummary::peakCamHertzMPa), false},
  };
  if (options.loads.BodiesGiven()) {
    maps.push_back({"return-spring-map", SpeedShown::Yes,
                    QStringLiteral("Return spring the free roller needs while the valve rests"),
                    QStringLiteral("largest force needed (N)"), QStringLiteral("no position"),
                    value(&LoadSummary::returnSpringN), false});
  }
  if (!friction.empty()) {
    maps.push_back({"friction-power-map", SpeedShown::Yes, QStringLiteral("Mean power lost to friction at the free roller"),
                    QStringLiteral("mean friction power over the cycle (W)"), QStringLiteral("no load"),
                    [&friction](std::size_t i) { return friction[i].meanPowerW; }, false, true});
    maps.push_back({"film-ratio-map", SpeedShown::Yes, QStringLiteral("Smallest oil film ratio \u03bb of a loaded contact"),
                    QStringLiteral("smallest film ratio \u03bb (below 1: the asperities carry load)"),
                    QStringLiteral("no loaded contact"),
                    [&friction](std::size_t i) {
                      const std::optional<AtCrank>& at = friction[i].minFilmRatio;
                      return at ? std::optional<double>(at->value) : std::nullopt;
                    },
                    false, true});
  }
  if (!dynamics.empty()) {
    const auto elastic = [&dynamics](std::optional<double> MapDynamics::*member) {
      return [&dynamics, member](std::size_t i) { return dynamics[i].*member; };
    };
    maps.push_back({"seating-velocity-map", SpeedShown::Yes,
                    QStringLiteral("Seating velocity of the elastic valve train"),
                    QStringLiteral("largest impact on the seat (m/s)"), QStringLiteral("no impact"),
                    elastic(&MapDynamics::seatingVelocityMPerS), true});
    if (options.loads.loftSpeeds) {
      maps.push_back({"loft-speed-map", SpeedShown::No,
                      QStringLiteral("Engine speed at which the valve leaves the elastic chain"),
                      QStringLiteral("loft speed (rpm)"),
                      QStringLiteral("no loft up to %1 rpm").arg(kSpeedScanLastRpm), elastic(&MapDynamics::loftRpm), true});
    }
  }
  for (const Map& map : maps) {
    if (StopSignal() != 0) return {};
    QString settings = LoadSettingsCaption(options, map.speed);
    if (map.elastic) settings += ElasticSettings(options);
    if (map.friction) settings += FrictionSettings(options);
    ShaftHeatMap heatMap{map.headline, settings, map.valueTitle, map.missing, {}, true};
    heatMap.cells.reserve(modes.size());
    for (std::size_t i = 0; i < modes.size(); ++i) {
      heatMap.cells.push_back({double(modes[i].mode.lever), double(modes[i].mode.eccentric), map.valueOf(i)});
    }
    const std::unique_ptr<QChart> chart = ShaftHeatMapChart(heatMap);
    if (QString error = SaveChart(*chart, folder, QLatin1String(map.name)); !error.isEmpty()) return error;
  }
  return {};
}
