#include "common/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

#include "common/ToolOutput.h"
#include "torlin/Version.h"

namespace {

constexpr std::size_t kHelpWidth = 80;
constexpr std::size_t kOptionColumn = 24;  // where option descriptions start

// Thrown by a value's check with the whole error line; CLI11 lets it pass through.
struct BadValue {
  std::string line;
};

// CLI11's help, laid out to fit 80 columns: option names with their placeholder,
// descriptions wrapped beside them.
class WrappingFormatter : public CLI::Formatter {
 public:
  WrappingFormatter() { column_width(kOptionColumn); }
  std::string make_option_opts(const CLI::Option* option) const override {
    const std::string& placeholder = option->get_option_text();
    return placeholder.empty() ? std::string() : " " + placeholder;
  }
  std::string make_option_desc(const CLI::Option* option) const override {
    return Wrapped(option->get_description(), kHelpWidth - kOptionColumn);
  }
  // The usage line first, then what the program does.
  std::string make_description(const CLI::App*) const override { return usage + "\n\n"; }
  std::string make_usage(const CLI::App* app, std::string) const override {
    return Wrapped(app->get_description(), kHelpWidth) + "\n";
  }
  std::string make_footer(const CLI::App* app) const override { return app->get_footer(); }

  std::string usage;
};

// The value written as --name=VALUE, if the option was written so.
std::optional<std::string> ValueGiven(const std::string& option, int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument.starts_with(option + "=")) return std::string(argument.substr(option.size() + 1));
  }
  return std::nullopt;
}

}  // namespace

CommandLine::CommandLine(std::string program, std::string usageLine, std::string description)
    : program_(std::move(program)), app_(std::move(description), program_) {
  auto formatter = std::make_shared<WrappingFormatter>();
  formatter->usage = "Usage: " + program_ + " " + usageLine;
  app_.formatter(formatter);
  app_.allow_extras();  // reported in the tools' own words below
  app_.set_help_flag("-h,--help", "show this help and exit")->disable_flag_override();
  app_.set_version_flag("--version", program_ + " " + kTorlinVersion, "show the version and exit")
      ->disable_flag_override();
}

// CLI11 is left to split the command line and check each value; whether an option came
// twice, without its value, with a value it does not take, or against another is
// checked after parsing, so that each error is said in the tools' own words.
CLI::Option* CommandLine::Switch(const std::string& name, bool& target, const std::string& help) {
  CLI::Option* option = app_.add_flag(name, help)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  switches_.push_back({option, &target});
  return option;
}

CLI::Option* CommandLine::Value(const std::string& name, const std::string& placeholder, const std::string& takes,
                                ValueReader read, const std::string& help) {
  CLI::Validator check(
      [name, takes, read = std::move(read)](std::string& value) {
        if (!read(value)) throw BadValue{name + " takes " + takes + ", not " + EchoedValue(value)};
        return std::string();
      },
      "");
  CLI::Option* option = app_.add_option(name, help)
                            ->option_text(placeholder)
                            ->expected(0, 1)
                            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                            ->check(check);
  takes_[option] = takes;
  return option;
}

void CommandLine::Excludes(CLI::Option* a, CLI::Option* b, std::string why) {
  conflicts_.push_back({a, b, true, std::move(why)});
}

void CommandLine::Needs(CLI::Option* a, CLI::Option* b) { conflicts_.push_back({a, b, false, {}}); }

void CommandLine::ValueMayBeLeftOut(CLI::Option* option) { valueMayBeLeftOut_.push_back(option); }

CLI::Option* CommandLine::WholeNumber(const std::string& name, int min, int max, int& target,
                                      const std::string& help) {
  return Value(name, "N", "a whole number from " + std::to_string(min) + " to " + std::to_string(max),
               [&target, min, max](const std::string& text) {
                 const std::optional<int> value = WholeNumberIn(text, min, max);
                 if (value) target = *value;
                 return value.has_value();
               },
               help);
}

CLI::Option* CommandLine::Decimal(const std::string& name, const std::string& placeholder, double min, double max,
                                  bool minExcluded, std::optional<double>& target, const std::string& help) {
  std::ostringstream takes;
  takes.imbue(std::locale::classic());
  takes << "a number " << (minExcluded ? "above " : "from ") << min << (minExcluded ? " and up to " : " to ") << max;
  return Value(name, placeholder, takes.str(),
               [&target, min, max, minExcluded](const std::string& text) {
                 const std::optional<double> value = DecimalNumber(text);
                 if (!value || *value < min || *value > max || (minExcluded && *value == min)) return false;
                 target = *value;
                 return true;
               },
               help);
}

std::optional<int> CommandLine::Parse(int argc, const char* const argv[]) {
  std::string line;
  try {
    app_.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return PrintAndFlush(program_, app_.help());
  } catch (const CLI::CallForVersion&) {
    return PrintAndFlush(program_, program_ + " " + kTorlinVersion + "\n");
  } catch (const BadValue& bad) {
    line = bad.line;
  } catch (const CLI::ArgumentMismatch&) {
    // All CLI11 still refuses itself: a value for --help or --version.
    for (const char* flag : {"--help", "--version"}) {
      if (const auto value = ValueGiven(flag, argc, argv); value && line.empty()) {
        line = std::string(flag) + " takes no value, not " + EchoedValue(*value);
      }
    }
    if (line.empty()) line = "the command line could not be read; the options are listed by --help";
  } catch (const CLI::ParseError& error) {
    line = error.what();  // a case the tools do not expect; CLI11's words, lower-cased
    if (!line.empty()) line[0] = char(std::tolower(static_cast<unsigned char>(line[0])));
  }
  if (line.empty()) line = MisusedOption(argc, argv);
  if (line.empty()) {
    std::vector<std::string> extras = app_.remaining();
    if (!extras.empty() && extras.front() == "--") extras.erase(extras.begin());
    if (!extras.empty()) {
      const std::string& first = extras.front();
      line = first.size() > 1 && first.front() == '-'
                 ? "unknown option " + EchoedValue(first.substr(0, first.find('='))) +
                       "; the options are listed by --help"
                 : "unexpected argument " + EchoedValue(first) + "; every setting is an option (see --help)";
    }
  }
  if (line.empty()) line = ConflictLine();
  if (!line.empty()) {
    PrintError(program_, line);
    return kExitBadOptions;
  }
  for (const SwitchTarget& given : switches_) *given.target = given.option->count() > 0;
  return std::nullopt;
}

std::string CommandLine::MisusedOption(int argc, const char* const argv[]) const {
  for (const CLI::Option* option : app_.get_options()) {
    if (option->count() == 0) continue;
    const std::string name = option->get_name();
    if (option->count() > 1) return name + " is given more than once; give it once";
    const bool isSwitch = std::any_of(switches_.begin(), switches_.end(),
                                      [option](const SwitchTarget& s) { return s.option == option; });
    if (isSwitch) {
      if (const auto value = ValueGiven(name, argc, argv)) return name + " takes no value, not " + EchoedValue(*value);
      continue;
    }
    const auto takes = takes_.find(option);
    const bool mayBeLeftOut =
        std::find(valueMayBeLeftOut_.begin(), valueMayBeLeftOut_.end(), option) != valueMayBeLeftOut_.end();
    // CLI11 records an option given without its value as one empty value.
    const bool noValue = std::all_of(option->results().begin(), option->results().end(),
                                     [](const std::string& value) { return value.empty(); });
    if (takes != takes_.end() && noValue && !mayBeLeftOut) {
      return name + " takes " + takes->second + ", but none was given";
    }
  }
  return {};
}

std::string CommandLine::ConflictLine() const {
  for (const Conflict& conflict : conflicts_) {
    if (conflict.given->count() == 0) continue;
    if (conflict.excludes && conflict.other->count() > 0) {
      return (conflict.why.empty() ? "" : conflict.why + "; ") + "give " + conflict.given->get_name() + " or " +
             conflict.other->get_name() + ", not both";
    }
    if (!conflict.excludes && conflict.other->count() == 0) {
      const std::string& placeholder = conflict.other->get_option_text();
      return conflict.given->get_name() + " needs " + conflict.other->get_name() +
             (placeholder.empty() ? "" : " " + placeholder);
    }
  }
  return {};
}

std::string Wrapped(const std::string& text, std::size_t width, std::size_t indent) {
  std::string out;
  std::size_t column = indent;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::istringstream words(text.substr(start, end - start));
    std::string word;
    bool lineEmpty = true;
    while (words >> word) {
      if (!lineEmpty && column + 1 + word.size() > width) {
        out += '\n' + std::string(indent, ' ');
        column = indent;
        lineEmpty = true;
      }
      if (!lineEmpty) {
        out += ' ';
        ++column;
      }
      out += word;
      column += word.size();
      lineEmpty = false;
    }
    if (end >= text.size()) break;
    out += '\n' + std::string(indent, ' ');
    column = indent;
    start = end + 1;
  }
  return out;
}

std::string HelpList(const std::string& title, const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string out = title + ":\n";
  for (const auto& [name, text] : entries) {
    std::string line = "  " + name;
    if (line.size() + 1 > kOptionColumn) {
      out += line + '\n';
      line.clear();
    }
    line.resize(kOptionColumn, ' ');
    out += line + Wrapped(text, kHelpWidth, kOptionColumn) + '\n';
  }
  return out;
}

std::string HelpParagraph(const std::string& title, const std::string& text) {
  return title + ":\n  " + Wrapped(text, kHelpWidth, 2) + '\n';
}

std::string ExitStatusHelp(const std::string& badOptions) {
  return HelpList("Exit status", {{"0", "done"},
                                  {"1", "a write failed (the reason is printed)"},
                                  {"2", badOptions},
                                  {"128+N", "stopped by signal N (130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP)"}});
}

std::optional<int> WholeNumberIn(const std::string& text, int min, int max) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < min || value > max) return std::nullopt;
  return value;
}

std::optional<double> DecimalNumber(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::pair<double, double>> DecimalPair(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const std::optional<double> first = DecimalNumber(text.substr(0, comma));
  const std::optional<double> second = DecimalNumber(text.substr(comma + 1));
  if (!first || !second) return std::nullopt;
  return std::pair(*first, *second);
}
