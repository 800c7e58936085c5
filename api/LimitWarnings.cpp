#include "api/LimitWarnings.h"

#include <cmath>

#include "analysis/ValveLoads.h"
#include "api/CsvNumbers.h"

namespace {

// Two decimals, or three significant digits for a value below 1 (a film ratio of
// 0.00195 is not 0).
std::string Rounded(double value) {
  std::string text;
  const double size = std::abs(value);
  const int decimals = size > 0 && size < 1 ? 2 - static_cast<int>(std::floor(std::log10(size))) : 2;
  AppendRounded(text, value, decimals);
  return text;
}

std::string Where(const LimitFlag& flag, const CrankOrigin& origin) {
  if (!flag.crankDeg) return {};
  return " at " + Rounded(origin.Shown(*flag.crankDeg)) + (origin.FromTdc() ? " crank degrees from TDC" : " crank degrees");
}

std::string ContactText(unsigned contacts) {
  std::string text;
  const std::pair<unsigned, const char*> names[] = {{kCamContactLost, "the cam"},
                                                    {kLeverContactLost, "the lever"},
                                                    {kRollerContactLost, "the second roller"},
                                                    {kValveContactLost, "the valve"}};
  for (const auto& [bit, name] : names) {
    if ((contacts & bit) == 0) continue;
    if (!text.empty()) text += " and ";
    text += name;
  }
  return text.empty() ? "a contact" : text;
}

std::string Sentence(const LimitFlag& flag, const CrankOrigin& origin) {
  const std::string value = Rounded(flag.value);
  const std::string limit = Rounded(flag.limit);
  const std::string past =
      flag.pastTheSpeed ? "; at this engine speed the rows past it do not describe the motion" : "";
  switch (flag.kind) {
    case LimitKind::Separation:
      return "the valve leaves the cam from " + value + " rpm" + Where(flag, origin) + ": below " + limit + " rpm" +
             past;
    case LimitKind::ContactLoss:
      return ContactText(flag.contacts) + " would have to pull from " + value + " rpm" + Where(flag, origin) +
             ": below " + limit + " rpm" + past;
    case LimitKind::CamHertz:
      return "the cam's Hertz pressure reaches " + value + " MPa" + Where(flag, origin) + ": above the allowable " +
             limit + " MPa";
    case LimitKind::PressureAngle:
      return "the cam's pressure angle reaches " + value + " degrees" + Where(flag, origin) + ": above the guideline " +
             limit + " degrees";
    case LimitKind::FilmRatio:
      return "the film parameter falls to " + value + Where(flag, origin) + ": below " + limit +
             " the asperities carry part of the load";
    case LimitKind::SeatingVelocity:
      return "the valve lands on its seat at " + value + " m/s: above " + limit + " m/s";
  }
  return {};
}

}  // namespace

std::string LimitWarningText(const LimitFlag& flag, const CrankOrigin& origin) {
  return LimitName(flag.kind) + ": " + Sentence(flag, origin);
}

std::string LimitWarningBlock(const std::vector<LimitFlag>& flags, const CrankOrigin& origin) {
  std::string block;
  for (const LimitFlag& flag : flags) block += "# warning," + LimitWarningText(flag, origin) + '\n';
  return block;
}

void LimitTally::Add(const std::vector<LimitFlag>& flags) {
  ++modes;
  for (const LimitFlag& flag : flags) {
    const auto kind = static_cast<std::size_t>(flag.kind);
    ++crossing[kind];
    limit[kind] = flag.limit;
  }
}

std::string LimitTallyBlock(const LimitTally& tally) {
  static constexpr const char* kWhat[] = {"separate below", "lose a contact below", "exceed the allowable cam Hertz pressure",
                                          "exceed the pressure angle guideline", "have a film parameter below",
                                          "land on the seat faster than"};
  static constexpr const char* kUnit[] = {" rpm", " rpm", " MPa", " degrees", "", " m/s"};
  std::string block;
  for (std::size_t kind = 0; kind < std::size(kWhat); ++kind) {
    if (tally.crossing[kind] == 0) continue;
    block += "# warning," + LimitName(static_cast<LimitKind>(kind)) + ": " + std::to_string(tally.crossing[kind]) +
             " of " + std::to_string(tally.modes) + " modes " + kWhat[kind] + ' ' + Rounded(tally.limit[kind]) +
             kUnit[kind] + '\n';
  }
  return block;
}
