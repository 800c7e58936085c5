#include "geometry/DesignFile.h"

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <numbers>
#include <set>
#include <sstream>

#include "geometry/LeverCurve.h"

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

// A pinned centre must lie where the curve's angles put it, to this distance.
constexpr double kCentreAgreementMm = 1e-3;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

// Reads an object's keys, remembering which it knows, so that the rest are reported.
class Reader {
 public:
  Reader(const json& object, std::string where, std::vector<std::string>& problems)
      : object_(object), where_(std::move(where)), problems_(problems) {
    if (!object_.is_object()) problems_.push_back(where_ + ": must be an object");
  }
  ~Reader() {
    if (!object_.is_object()) return;
    for (const auto& item : object_.items()) {
      if (!known_.count(item.key())) problems_.push_back(where_ + ": unknown key \"" + item.key() + "\"");
    }
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  bool Has(const std::string& key) const { return object_.is_object() && object_.contains(key); }
  const json* Child(const std::string& key, bool required = true) {
    known_.insert(key);
    if (!Has(key)) {
      if (required) problems_.push_back(where_ + ": missing key \"" + key + "\"");
      return nullptr;
    }
    return &object_.at(key);
  }
  double Number(const std::string& key, double fallback = 0, bool required = true) {
    const json* value = Child(key, required);
    if (!value) return fallback;
    if (!value->is_number()) {
      problems_.push_back(Path(key) + ": must be a number");
      return fallback;
    }
    return value->get<double>();
  }
  std::string Text(const std::string& key, bool required = true) {
    const json* value = Child(key, required);
    if (!value) return {};
    if (!value->is_string()) {
      problems_.push_back(Path(key) + ": must be a string");
      return {};
    }
    return value->get<std::string>();
  }
  DesignPoint Point(const std::string& key, bool required = true) {
    const json* value = Child(key, required);
    if (!value) return {};
    if (!value->is_array() || value->size() != 2 || !(*value)[0].is_number() || !(*value)[1].is_number()) {
      problems_.push_back(Path(key) + ": must be [x, y], two numbers");
      return {};
    }
    return {(*value)[0].get<double>(), (*value)[1].get<double>()};
  }
  std::string Path(const std::string& key) const { return where_ + "." + key; }

 private:
  const json& object_;
  std::string where_;
  std::vector<std::string>& problems_;
  std::set<std::string> known_;
};

std::string Deg(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

const char* LawName(LobeLaw law) {
  return law == LobeLaw::CosinePower ? "cosine-power" : "polynomial-4567";
}

Design Parse(const json& root, std::vector<std::string>& problems) {
  Design d;
  Reader top(root, "design", problems);
  if (!root.is_object()) return d;
  const double format = top.Number("format");
  if (top.Has("format") && format != kDesignFormat) {
    problems.push_back("design.format: " + Deg(format) +
                       " is not a format this program reads (it reads 1)");
  }
  d.name = top.Text("name");
  d.notes = top.Text("notes", false);

  if (const json* cam = top.Child("cam")) {
    Reader c(*cam, "cam", problems);
    d.cam.axis = c.Point("axis_mm");
    d.cam.baseRadiusMm = c.Number("baseRadius_mm");
    if (const json* lobe = c.Child("lobe")) {
      Reader l(*lobe, "cam.lobe", problems);
      const std::string law = l.Text("law");
      d.cam.lobe.liftMm = l.Number("lift_mm");
      d.cam.lobe.startCamDeg = l.Number("start_camDeg");
      d.cam.lobe.spanCamDeg = l.Number("span_camDeg");
      if (law == "cosine-power") {
        d.cam.lobe.law = LobeLaw::CosinePower;
        d.cam.lobe.exponent = l.Number("exponent");
      } else if (law == "polynomial-4567") {
        d.cam.lobe.law = LobeLaw::Polynomial4567;
        d.cam.lobe.rampHeightMm = l.Number("rampHeight_mm", 0, false);
        d.cam.lobe.rampLengthCamDeg = l.Number("rampLength_camDeg", 0, false);
      } else if (l.Has("law")) {
        problems.push_back("cam.lobe.law: \"" + law + "\" is not a law (cosine-power, polynomial-4567)");
      }
    }
  }
  if (const json* lever = top.Child("lever")) {
    Reader l(*lever, "lever", problems);
    d.lever.pivot = l.Point("pivot_mm");
    d.lever.startDeg = l.Number("start_deg");
    const json* pieces = l.Child("pieces");
    if (pieces && !pieces->is_array()) problems.push_back("lever.pieces: must be an array");
    if (pieces && pieces->is_array()) {
      for (std::size_t i = 0; i < pieces->size(); ++i) {
        Reader p((*pieces)[i], "lever.pieces[" + std::to_string(i) + "]", problems);
        LeverPiece piece;
        piece.radiusMm = p.Number("radius_mm");
        piece.toDeg = p.Number("to_deg");
        piece.blendDeg = p.Number("blend_deg", 0, false);
        if (p.Has("centre_mm")) piece.centre = p.Point("centre_mm");
        else p.Child("centre_mm", false);
        d.lever.pieces.push_back(piece);
      }
    }
  }
  const auto radius = [&](const char* key, const char* inner, double& out) {
    if (const json* part = top.Child(key)) {
      Reader r(*part, key, problems);
      out = r.Number(inner);
    }
  };
  radius("freeRoller", "radius_mm", d.freeRollerRadiusMm);
  radius("secondRoller", "radius_mm", d.secondRollerRadiusMm);
  radius("eccentric", "radius_mm", d.eccentricRadiusMm);
  radius("link", "length_mm", d.linkLengthMm);
  radius("rod", "length_mm", d.rodLengthMm);
  if (const json* valve = top.Child("valve")) {
    Reader v(*valve, "valve", problems);
    d.valveAxisXMm = v.Number("axisX_mm");
    d.valveSeatYMm = v.Number("seatY_mm", 0, false);
  }
  if (const json* shafts = top.Child("shafts")) {
    Reader s(*shafts, "shafts", problems);
    if (const json* lever = s.Child("lever")) {
      Reader l(*lever, "shafts.lever", problems);
      d.leverShaft = {l.Number("barMin"), l.Number("barMax"), l.Number("radPerBar")};
    }
    if (const json* eccentric = s.Child("eccentric")) {
      Reader e(*eccentric, "shafts.eccentric", problems);
      d.eccentricShaft = {e.Number("barMin"), e.Number("barMax"), e.Number("degPerBar")};
    }
  }
  return d;
}

void Positive(std::vector<std::string>& problems, const std::string& what, double value) {
  if (!(value > 0) || !std::isfinite(value)) {
    std::ostringstream line;
    line << what << ": must be a positive length, not " << value;
    problems.push_back(line.str());
  }
}

void Finite(std::vector<std::string>& problems, const std::string& what, double value) {
  if (!std::isfinite(value)) problems.push_back(what + ": must be a finite number");
}


void CheckLever(const LeverDesign& lever, std::vector<std::string>& problems) {
  const std::vector<LeverPiece>& pieces = lever.pieces;
  if (pieces.empty()) {
    problems.push_back("lever.pieces: needs at least one piece");
    return;
  }
  Finite(problems, "lever.start_deg", lever.startDeg);
  double from = lever.startDeg;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const std::string where = "lever.pieces[" + std::to_string(i) + "]";
    Positive(problems, where + ".radius_mm", pieces[i].radiusMm);
    if (!(pieces[i].toDeg > from) || !std::isfinite(pieces[i].toDeg)) {
      problems.push_back(where + ".to_deg: " + Deg(pieces[i].toDeg) + " must lie beyond " + Deg(from) +
                         " (pieces in order of curve angle)");
    }
    if (!(pieces[i].blendDeg >= 0) || !std::isfinite(pieces[i].blendDeg)) {
      problems.push_back(where + ".blend_deg: must be zero or positive");
    }
    if (i == 0 && pieces[i].blendDeg != 0) problems.push_back(where + ".blend_deg: the first piece has no join to blend");
    if (i == 0 && pieces[i].centre) problems.push_back(where + ".centre_mm: the first piece is centred on the pivot");
    from = pieces[i].toDeg;
  }
  if (pieces.back().toDeg - lever.startDeg >= 360) problems.push_back("lever.pieces: the curve spans a whole turn or more");
  // Each blend lies within the two pieces it joins and clear of its neighbours.
  for (std::size_t k = 1; k < pieces.size(); ++k) {
    const double half = pieces[k].blendDeg / 2;
    if (half == 0) continue;
    const double join = pieces[k - 1].toDeg;
    const double before = k >= 2 ? pieces[k - 2].toDeg + pieces[k - 1].blendDeg / 2 : lever.startDeg;
    const double after = pieces[k].toDeg - (k + 1 < pieces.size() ? pieces[k + 1].blendDeg / 2 : 0);
    if (!(join - half > before) || !(join + half < after)) {
      problems.push_back("lever.pieces[" + std::to_string(k) + "].blend_deg: " + Deg(pieces[k].blendDeg) +
                         " reaches beyond the pieces it joins");
    }
  }
}

void CheckPinnedCentres(const LeverDesign& lever, std::vector<std::string>& problems) {
  LeverDesign free = lever;
  for (LeverPiece& piece : free.pieces) piece.centre.reset();
  const LeverCurve curve(free);
  // The arcs in order: blends add segments between them.
  std::size_t segment = 0;
  for (std::size_t i = 0; i < lever.pieces.size(); ++i) {
    while (segment < curve.Segments().size() && curve.Segments()[segment].blend) ++segment;
    if (segment >= curve.Segments().size()) return;
    const LeverSegment& arc = curve.Segments()[segment++];
    if (!lever.pieces[i].centre) continue;
    const double off = std::hypot(lever.pieces[i].centre->x - arc.centreX, lever.pieces[i].centre->y - arc.centreY);
    if (!(off <= kCentreAgreementMm)) {
      std::ostringstream line;
      line << "lever.pieces[" << i << "].centre_mm: lies " << off << " mm from where the curve's angles put it ("
           << arc.centreX << ", " << arc.centreY << ")";
      problems.push_back(line.str());
    }
  }
}

void CheckLobe(const CamDesign& cam, std::vector<std::string>& problems) {
  Finite(problems, "cam.axis_mm", cam.axis.x + cam.axis.y);
  Positive(problems, "cam.baseRadius_mm", cam.baseRadiusMm);
  const LobeDesign& lobe = cam.lobe;
  Positive(problems, "cam.lobe.lift_mm", lobe.liftMm);
  Finite(problems, "cam.lobe.start_camDeg", lobe.startCamDeg);
  if (!(lobe.spanCamDeg > 0 && lobe.spanCamDeg < 360)) problems.push_back("cam.lobe.span_camDeg: must lie between 0 and 360");
  if (lobe.law == LobeLaw::CosinePower && !(lobe.exponent > 0 && lobe.exponent <= 10)) {
    problems.push_back("cam.lobe.exponent: must lie above 0 and at most 10");
  }
  if (lobe.law == LobeLaw::Polynomial4567) {
    if (!(lobe.rampHeightMm >= 0 && lobe.rampHeightMm < lobe.liftMm)) {
      problems.push_back("cam.lobe.rampHeight_mm: must be zero or positive and below the lift");
    }
    if (!(lobe.rampLengthCamDeg >= 0 && lobe.rampLengthCamDeg < lobe.spanCamDeg / 2)) {
      problems.push_back("cam.lobe.rampLength_camDeg: must be zero or positive and below half the span");
    }
    if (lobe.rampHeightMm > 0 && !(lobe.rampLengthCamDeg > 0)) {
      problems.push_back("cam.lobe.rampLength_camDeg: a ramp with a height needs a length");
    }
  }
}

void CheckShafts(const Design& d, std::vector<std::string>& problems) {
  const auto range = [&](const char* where, double min, double max, double rate) {
    if (!std::isfinite(min) || !std::isfinite(max) || !(min < max)) {
      problems.push_back(std::string(where) + ": barMin must lie below barMax");
    } else if (!(min >= -kLargestBarValue && max <= kLargestBarValue) || std::ceil(min) > std::floor(max)) {
      // Scroll bars and the tools' grids take whole bar values.
      problems.push_back(std::string(where) + ": the bar's range must hold a whole bar value and lie within " +
                         std::to_string(kLargestBarValue) + " either side of 0");
    }
    if (!std::isfinite(rate) || rate == 0 || !std::isfinite(1 / rate)) {
      problems.push_back(std::string(where) + ": the gearing must be a finite number other than 0");
    }
  };
  range("shafts.lever", d.leverShaft.barMin, d.leverShaft.barMax, d.leverShaft.radPerBar);
  range("shafts.eccentric", d.eccentricShaft.barMin, d.eccentricShaft.barMax, d.eccentricShaft.degPerBar);
}

}  // namespace

DesignError::DesignError(std::vector<std::string> problems)
    : std::runtime_error(Joined(problems)), problems_(std::move(problems)) {}

std::vector<std::string> DesignProblems(const Design& d) {
  std::vector<std::string> problems;
  CheckLobe(d.cam, problems);
  Finite(problems, "lever.pivot_mm", d.lever.pivot.x + d.lever.pivot.y);
  CheckLever(d.lever, problems);
  Positive(problems, "freeRoller.radius_mm", d.freeRollerRadiusMm);
  Positive(problems, "secondRoller.radius_mm", d.secondRollerRadiusMm);
  Positive(problems, "eccentric.radius_mm", d.eccentricRadiusMm);
  Positive(problems, "link.length_mm", d.linkLengthMm);
  Positive(problems, "rod.length_mm", d.rodLengthMm);
  Finite(problems, "valve.axisX_mm", d.valveAxisXMm);
  Finite(problems, "valve.seatY_mm", d.valveSeatYMm);
  CheckShafts(d, problems);
  if (problems.empty()) CheckPinnedCentres(d.lever, problems);
  return problems;
}

namespace {

// Records the first syntax error of a text, with its position.
class SyntaxError : public nlohmann::json_sax<json> {
 public:
  std::string message;
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return true; }
  bool key(string_t&) override { return true; }
  bool end_object() override { return true; }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) override {
    message = e.what();
    const std::size_t start = message.find("parse error");
    if (start != std::string::npos) message = message.substr(start);
    return false;
  }
};

}  // namespace

ParsedDesign ParseDesignJson(const std::string& text) {
  ParsedDesign parsed;
  const json root = json::parse(text, nullptr, false);
  if (root.is_discarded()) {
    SyntaxError error;
    json::sax_parse(text, &error);
    parsed.problems.push_back("not valid JSON: " + (error.message.empty() ? "syntax error" : error.message));
    return parsed;
  }
  Design design = Parse(root, parsed.problems);
  if (parsed.problems.empty()) parsed.problems = DesignProblems(design);
  if (parsed.problems.empty()) parsed.design = std::move(design);
  return parsed;
}

Design DesignFromJson(const std::string& text) {
  ParsedDesign parsed = ParseDesignJson(text);
  if (!parsed.design) throw DesignError(std::move(parsed.problems));
  return std::move(*parsed.design);
}

Design ReadDesignFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw DesignError({"design file " + path.string() + ": not a readable file"});
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in && !in.eof()) throw DesignError({"design file " + path.string() + ": cannot be read"});
  try {
    return DesignFromJson(text.str());
  } catch (const DesignError& e) {
    std::vector<std::string> lines;
    for (const std::string& problem : e.Problems()) lines.push_back(path.string() + ": " + problem);
    throw DesignError(std::move(lines));
  }
}

std::string DesignToJson(const Design& d) {
  ordered_json lobe = {{"law", LawName(d.cam.lobe.law)},
               {"lift_mm", d.cam.lobe.liftMm},
               {"start_camDeg", d.cam.lobe.startCamDeg},
               {"span_camDeg", d.cam.lobe.spanCamDeg}};
  if (d.cam.lobe.law == LobeLaw::CosinePower) {
    lobe["exponent"] = d.cam.lobe.exponent;
  } else {
    lobe["rampHeight_mm"] = d.cam.lobe.rampHeightMm;
    lobe["rampLength_camDeg"] = d.cam.lobe.rampLengthCamDeg;
  }
  ordered_json pieces = ordered_json::array();
  for (std::size_t i = 0; i < d.lever.pieces.size(); ++i) {
    const LeverPiece& p = d.lever.pieces[i];
    ordered_json piece = {{"radius_mm", p.radiusMm}, {"to_deg", p.toDeg}};
    if (i > 0) piece["blend_deg"] = p.blendDeg;
    if (p.centre) piece["centre_mm"] = {p.centre->x, p.centre->y};
    pieces.push_back(piece);
  }
  ordered_json root = {
      {"format", kDesignFormat},
      {"name", d.name},
      {"notes", d.notes},
      {"cam", {{"axis_mm", {d.cam.axis.x, d.cam.axis.y}}, {"baseRadius_mm", d.cam.baseRadiusMm}, {"lobe", lobe}}},
      {"lever", {{"pivot_mm", {d.lever.pivot.x, d.lever.pivot.y}}, {"start_deg", d.lever.startDeg}, {"pieces", pieces}}},
      {"freeRoller", {{"radius_mm", d.freeRollerRadiusMm}}},
      {"secondRoller", {{"radius_mm", d.secondRollerRadiusMm}}},
      {"eccentric", {{"radius_mm", d.eccentricRadiusMm}}},
      {"link", {{"length_mm", d.linkLengthMm}}},
      {"rod", {{"length_mm", d.rodLengthMm}}},
      {"valve", {{"axisX_mm", d.valveAxisXMm}, {"seatY_mm", d.valveSeatYMm}}},
      {"shafts",
       {{"lever", {{"barMin", d.leverShaft.barMin}, {"barMax", d.leverShaft.barMax}, {"radPerBar", d.leverShaft.radPerBar}}},
        {"eccentric",
         {{"barMin", d.eccentricShaft.barMin}, {"barMax", d.eccentricShaft.barMax}, {"degPerBar", d.eccentricShaft.degPerBar}}}}},
  };
  return root.dump(2) + "\n";
}
