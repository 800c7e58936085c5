#include "common/ToolDesign.h"

#include <string_view>

#include "api/DesignFiles.h"
#include "common/ToolOutput.h"
#include "geometry/DesignFile.h"

namespace {

MechanismPtr& Chosen() {
  static MechanismPtr chosen = WindowMechanism();
  return chosen;
}

bool& FromFile() {
  static bool fromFile = false;
  return fromFile;
}

}  // namespace

const MechanismPtr& ToolMechanism() { return Chosen(); }

std::vector<std::string> UseDesignFile(const std::string& path) {
  CheckedMechanism checked = CheckDesignFile(path);
  if (!checked.mechanism) return checked.problems;
  Chosen() = std::move(checked.mechanism);
  FromFile() = true;
  return {};
}

std::optional<std::string> DesignFileArgument(int argc, const char* const argv[]) {
  constexpr std::string_view kOption = "--design";
  std::optional<std::string> file;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument == kOption && i + 1 < argc) {
      file = argv[++i];
    } else if (argument.starts_with(kOption) && argument.size() > kOption.size() && argument[kOption.size()] == '=') {
      file = std::string(argument.substr(kOption.size() + 1));
    }
  }
  return file;
}

std::optional<int> UseDesignOfArguments(const char* program, int argc, const char* const argv[]) {
  const std::optional<std::string> file = DesignFileArgument(argc, argv);
  if (!file || file->empty()) return std::nullopt;  // the full parse says what is missing
  const std::vector<std::string> problems = UseDesignFile(*file);
  for (const std::string& problem : problems) PrintError(program, problem);
  if (problems.empty()) return std::nullopt;
  return kExitBadOptions;
}

std::string ToolDesignName() {
  if (!FromFile()) return "built-in (the window's)";
  return Chosen()->GetDesign().name;
}
