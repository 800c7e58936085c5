#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "geometry/Design.h"

// A design file: JSON, format 1, every key with its unit in its name; unknown keys
// are an error. The schema is designs/design.schema.json.
inline constexpr int kDesignFormat = 1;

// What is wrong with a design or its file: one line per problem.
class DesignError : public std::runtime_error {
 public:
  explicit DesignError(std::vector<std::string> problems);
  const std::vector<std::string>& Problems() const { return problems_; }

 private:
  std::vector<std::string> problems_;
};

// The design in a JSON text, checked: keys, types, and every rule of DesignProblems.
// Without exceptions (the WebAssembly builds have none): a design, or its problems.
struct ParsedDesign {
  std::optional<Design> design;
  std::vector<std::string> problems;
};
ParsedDesign ParseDesignJson(const std::string& text);
// The same, throwing DesignError.
Design DesignFromJson(const std::string& text);
// Reads and checks a design file; a file that cannot be read is a DesignError too.
Design ReadDesignFile(const std::filesystem::path& path);
// The design as JSON text in the file's format (two-space indent, a final newline).
// Numbers are written in their shortest exact form, so reading gives the same design.
std::string DesignToJson(const Design& design);

// The problems that make a design impossible to build a mechanism from (lengths,
// order, blends, the lobe's law, pinned centres); none for a buildable one. What needs
// the kinematics (reach, linkage, undercut) is checked by the analysis.
std::vector<std::string> DesignProblems(const Design& design);
