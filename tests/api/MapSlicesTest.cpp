// The Explorer's workers compute a map a slice at a time, each its share of the lever
// rows; put back together, the shares must be the tools' map exactly, the limits' flags
// included.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/ModeGrid.h"
#include "api/CsvWriter.h"
#include "api/DesignCache.h"
#include "api/MapFigures.h"
#include "api/MapPlan.h"
#include "api/MapSlices.h"

namespace {

constexpr int kSteps = 5;
constexpr int kParts = 3;
constexpr int kSpeed = 400;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The cells of a CSV line, as doubles (NaN for an empty cell).
std::vector<double> Numbers(const std::string& line) {
  std::vector<double> numbers;
  std::size_t start = 0;
  while (start <= line.size()) {
    const std::size_t end = std::min(line.find(',', start), line.size());
    double value = std::nan("");
    if (end > start) std::from_chars(line.data() + start, line.data() + end, value);
    numbers.push_back(value);
    start = end + 1;
  }
  return numbers;
}

TEST(MapSlices, TheSharesPutTogetherAreTheToolsMapAndTheirNumbersItsCells) {
  LoadParameters parameters;
  parameters.rpm = 3000;
  const MechanismPtr& mechanism = WindowMechanism();

  // The tools' map with loads on the same grid, by index, judged against limits that
  // some modes cross and others not, with the engine speed's separation.
  const std::vector<int> levers = EvenlySpread(0, 115, kSteps);
  const std::vector<int> eccentrics = EvenlySpread(-95, 700, kSteps);
  DesignLimits limits;
  limits.allowableCamHertzMPa = 900;
  limits.maxPressureAngleDeg = 60;
  MapRequest request;
  request.mechanism = mechanism;
  request.modes = GridModes(levers, eccentrics);
  request.speed = kSpeed;
  request.loads.emplace().parameters = parameters;
  request.rpm = parameters.rpm;
  request.limits = limits;
  std::vector<std::string> reference;
  std::string referenceHeader;
  WithMapPlan(request, [&](auto makeJob, auto columns) {
    referenceHeader = CsvHeader(columns);
    auto job = makeJob();
    for (std::size_t i = 0; i < request.modes.size(); ++i) reference.push_back(CsvLine(columns, job(i)));
    return 0;
  });
  ASSERT_EQ(referenceHeader, MapSlices::CsvHeader());
  std::map<std::string, int> flagged;
  for (const std::string& line : reference) ++flagged[line.substr(line.rfind(',') + 1)];
  ASSERT_GE(flagged.size(), 2U) << "the limits judge every mode alike";

  std::map<std::size_t, std::string> rows;
  const std::vector<std::string> modeNames = [] {
    std::vector<std::string> names;
    for (const auto& column : MapModeColumns()) names.push_back(column.name);
    return names;
  }();
  const std::vector<std::string> header = [] {
    std::vector<std::string> names;
    std::istringstream in(MapSlices::CsvHeader());
    for (std::string name; std::getline(in, name, ',');) names.push_back(name.back() == '\n' ? name.substr(0, name.size() - 1) : name);
    return names;
  }();
  std::size_t modes = 0;
  for (int part = 0; part < kParts; ++part) {
    MapSlices share(mechanism, kSpeed, kSteps, kSteps, part, kParts);
    modes += share.Size();
    const std::size_t stride = 1 + modeNames.size();
    std::vector<double> values;
    for (std::vector<double> slice; !(slice = share.NextModes(2)).empty();) values.insert(values.end(), slice.begin(), slice.end());
    EXPECT_EQ(share.CsvRows(limits), "") << "rows before their loads";
    share.StartLoads(parameters);
    while (!share.NextLoads(3).empty()) {
    }
    const std::vector<std::string> lines = Lines(share.CsvRows(limits));
    ASSERT_EQ(lines.size() * stride, values.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
      const std::size_t index = static_cast<std::size_t>(values[k * stride]);
      EXPECT_EQ(static_cast<int>(index / kSteps) % kParts, part) << "a lever row of another share";
      rows[index] = lines[k];
      // The numbers handed to a page are the CSV's cells, to the last digit.
      const std::vector<double> cells = Numbers(lines[k]);
      for (std::size_t c = 0; c < modeNames.size(); ++c) {
        const auto at = std::find(header.begin(), header.end(), modeNames[c]) - header.begin();
        const double value = values[k * stride + 1 + c];
        if (std::isnan(value)) EXPECT_TRUE(std::isnan(cells[at])) << modeNames[c];
        else EXPECT_EQ(value, cells[at]) << modeNames[c];
      }
    }
  }
  ASSERT_EQ(modes, reference.size());
  ASSERT_EQ(rows.size(), reference.size());
  for (const auto& [index, line] : rows) EXPECT_EQ(line + '\n', reference[index]) << "mode " << index;
}

TEST(DesignCache, KeepsTheDesignsAskedForLatestAndStandsInTheWindowsForOneThatCannotBeUsed) {
  DesignCache cache(2);
  CachedDesign* window = &cache.Get("");
  ASSERT_TRUE(window->mechanism);
  EXPECT_EQ(window->Name(), "built-in (the window's)");

  const std::string bad = "{\"format\": 1}";
  EXPECT_EQ(&cache.Usable(bad), window) << "the window's design stands in for a bad one";
  EXPECT_FALSE(cache.Get(bad).mechanism) << "the bad design is kept as bad";
  EXPECT_EQ(&cache.Get(""), window) << "kept, not built again";
  cache.Get("{}");  // a third design: the one asked for longest ago (the bad one) goes
  EXPECT_EQ(&cache.Get(""), window) << "the one asked for latest stays";
}

}  // namespace
