#include "api/LoadStudy.h"

#include "analysis/KinematicLiftCurve.h"
#include "analysis/SvajSeries.h"
#include "api/DynamicsTable.h"
#include "api/EngineTable.h"
#include "api/FrictionTable.h"
#include "api/LoadsTable.h"
#include "api/OrderedPool.h"

PlannedLoads PlanLoads(const MechanismPtr& mechanism, ShaftPositions mode, const LoadSettings& settings,
                       double stepDeg, int threads) {
  LoadPlan plan{ExactKinematics(mechanism, mode.lever, mode.eccentric), settings, {}, {}, {}, {}, {}};
  plan.places = CrankPlaces(plan.model, CrankAngles(stepDeg));
  if (settings.elastic) {
    const std::optional<KinematicLiftCurve> lift = KinematicLiftCurve::FromExact(plan.model);
    std::vector<double> angles;
    angles.reserve(plan.places.size());
    for (const CrankPlace& place : plan.places) angles.push_back(place.crankDeg);
    if (lift) plan.elastic = ElasticCycleAt(*lift, settings.parameters, *settings.elastic, angles);
    if (!plan.elastic) return {std::nullopt, "--dynamics: the valve of this mode never rests, or has no position somewhere"};
    plan.elasticLimits = FindElasticSpeedLimits(*lift, settings.parameters, *settings.elastic);
  }
  if (settings.friction) {
    plan.friction = FrictionCycleAt(plan.model, settings.parameters, *settings.friction, plan.places, SeatedRows::Full,
                                    [threads](std::size_t count, const std::function<void(std::size_t)>& body) {
                                      ForEachIndex(count, threads, body);
                                    });
  }
  if (plan.friction && settings.engine) {
    std::vector<LoadRow> rows;
    rows.reserve(plan.friction->rows.size());
    for (const FrictionalLoadRow& r : plan.friction->rows) rows.push_back(r.loads);
    plan.frictionalEngine.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      plan.frictionalEngine.push_back(EngineShaftTorquesOfRows(rows, *settings.engine, i));
    }
  }
  return {std::move(plan), {}};
}

std::vector<LoadLine> LoadLinesAt(const LoadPlan& plan, std::size_t first, std::size_t count) {
  const LoadParameters& parameters = plan.settings.parameters;
  std::vector<LoadLine> lines;
  lines.reserve(count);
  for (std::size_t i = first; i < first + count; ++i) {
    const ElasticRow elastic = plan.elastic ? plan.elastic->rows[i] : ElasticRow{};
    std::optional<EngineShaftTorques> engine;
    if (plan.friction && plan.settings.engine) {
      engine = plan.frictionalEngine[i];
    } else if (plan.settings.engine) {
      engine = EngineShaftTorquesAt(plan.model, parameters, *plan.settings.engine, plan.places[i]);
    }
    if (plan.friction) {
      lines.push_back({plan.friction->rows[i].loads, elastic, plan.friction->rows[i].friction, engine});
    } else {
      lines.push_back({LoadsAt(plan.model, parameters, plan.places[i]), elastic, {}, engine});
    }
  }
  return lines;
}

TableColumns<LoadLine> LoadLineColumns(const LoadPlan& plan, const CrankOrigin& origin) {
  TableColumns<LoadLine> columns;
  AppendColumns(columns, LoadRowColumns(origin, plan.settings.bodyColumns),
                [](const LoadLine& l) -> const LoadRow& { return l.loads; });
  if (plan.friction) {
    AppendColumns(columns, FrictionRowColumns(), [](const LoadLine& l) -> const FrictionRow& { return l.friction; });
  }
  if (plan.elastic) {
    AppendColumns(columns, DynamicsRowColumns(), [](const LoadLine& l) -> const ElasticRow& { return l.elastic; });
  }
  if (plan.settings.engine) {
    AppendColumns(columns, EngineRowColumns(),
                  [](const LoadLine& l) -> const std::optional<EngineShaftTorques>& { return l.engine; });
  }
  return columns;
}

LoadSummary SummariseLoadLines(const LoadPlan& plan, const std::vector<LoadLine>& lines) {
  std::vector<LoadRow> rows;
  rows.reserve(lines.size());
  for (const LoadLine& line : lines) rows.push_back(line.loads);
  return SummariseLoads(plan.model, plan.settings.parameters, rows);
}

std::vector<LimitFlag> PlanFlags(const LoadPlan& plan, const LoadSummary& summary, std::optional<double> rpm,
                                 const DesignLimits& limits) {
  LimitedFigures figures = FiguresOf(summary, rpm);
  if (plan.elastic) figures.seatingVelocityMPerS = plan.elastic->SeatingVelocityMPerS();
  if (plan.friction) figures.smallestFilmRatio = SummariseFriction(*plan.friction).minFilmRatio;
  return FlagsAgainstLimits(figures, limits);
}
