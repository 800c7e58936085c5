#pragma once

#include <string>
#include <vector>

#include "api/CrankOrigin.h"
#include "ExactOptions.h"
#include "LoadsOptions.h"
#include "ProfileOptions.h"
#include "analysis/ModeGrid.h"
#include "analysis/ModeSetting.h"
#include "common/CommandLine.h"

// The values a grid takes on one bar.
struct BarValues {
  std::vector<int> values;
  std::string text;  // how the values were chosen, for chart titles
};

struct ModesOptions {
  BarValues lever;      // VScroll1 values of the map
  BarValues eccentric;  // VScroll2 values of the map
  int speed = 0;        // HScroll1 value: cam degrees per frame times 100
  std::string plotDir;  // empty: no pictures
  std::vector<ShaftPositions> curves;  // modes whose lift curves are drawn
  int threads = 0;      // 0: one per core
  ExactOptions exact;   // --exact, --svaj and its --step, --rpm
  LoadsOptions loads;   // --loads and the load model's parameters
  ProfileOptions profile;  // --profile and --dxf
  std::optional<double> tdcCrankDeg;  // where top dead centre lies on the crank axis
  std::string designFile;             // empty: the window's design
  bool printDesign = false;           // print the design as a file and end

  // Where the crank positions printed and drawn are measured from.
  CrankOrigin Origin() const { return CrankOrigin(tdcCrankDeg); }
};

inline constexpr std::size_t kMaxCurves = 12;


// torlin-modes' command line, its help included. Each group of options is declared by
// its own function on the one CommandLine (see DeclareExactOptions).
class ModesCommandLine {
 public:
  ModesCommandLine();
  // Nothing if the run should go ahead with Options(), else the exit status.
  std::optional<int> Parse(int argc, const char* const argv[]);
  const ModesOptions& Options() const { return options_; }

 private:
  ModesOptions options_;
  CLI::Option* loads_ = nullptr;
  ProfileOptionHandles profile_;
  std::vector<CLI::Option*> notForOneMode_;
  int leverSteps_ = kDefaultStepsPerBar;
  int eccentricSteps_ = kDefaultStepsPerBar;
  CommandLine line_;
};
