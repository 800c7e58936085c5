#include "common/CommandLine.h"

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

// "--name" from the start of a CLI11 message ("--lever: ..." or "lever was ...").
std::string OptionNamed(const std::string& message) {
  std::string name = message.substr(0, message.find_first_of(": "));
  while (!name.empty() && name.front() == '-') name.erase(0, 1);
  return "--" + name;
}

// The value written as --name=VALUE, for the line about a switch that takes none.
std::string ValueGiven(const std::string& option, int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind(option + "=", 0) == 0) return argument.substr(option.size() + 1);
  }
  return {};
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

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

CLI::Option* CommandLine::Switch(const std::string& name, bool& target, const std::string& help) {
  return app_.add_flag(name, target, help)
      ->multi_option_policy(CLI::MultiOptionPolicy::Throw)
      ->disable_flag_override();
}

CLI::Option* CommandLine::Value(const std::string& name, const std::string& placeholder, const std::string& takes,
                                ValueReader read, const std::string& help) {
  takes_[name] = takes;
  CLI::Validator check(
      [name, takes, read = std::move(read)](std::string& value) {
        if (!read(value)) throw BadValue{name + " takes " + takes + ", not " + Quoted(value)};
        return std::string();
      },
      "");
  return app_.add_option(name, help)
      ->option_text(placeholder)
      ->multi_option_policy(CLI::MultiOptionPolicy::Throw)
      ->check(check);
}

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
  try {
    app_.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return PrintAndFlush(program_, app_.help());
  } catch (const CLI::CallForVersion&) {
    return PrintAndFlush(program_, program_ + " " + kTorlinVersion + "\n");
  } catch (const BadValue& bad) {
    PrintError(program_, bad.line);
    return kExitBadOptions;
  } catch (const CLI::ParseError& error) {
    PrintError(program_, ErrorLine(error, argc, argv));
    return kExitBadOptions;
  }
  std::vector<std::string> extras = app_.remaining();
  if (!extras.empty() && extras.front() == "--") extras.erase(extras.begin());
  if (extras.empty()) return std::nullopt;
  const std::string& first = extras.front();
  if (first.size() > 1 && first.front() == '-') {
    PrintError(program_, "unknown option " + Quoted(first.substr(0, first.find('='))) +
                             "; the options are listed by --help");
  } else {
    PrintError(program_, "unexpected argument " + Quoted(first) + "; every setting is an option (see --help)");
  }
  return kExitBadOptions;
}

std::string CommandLine::ErrorLine(const CLI::ParseError& error, int argc, const char* const argv[]) const {
  const std::string message = error.what();
  if (error.get_name() == "ExcludesError") {
    const std::size_t at = message.find(" excludes ");
    return "give " + message.substr(0, at) + " or " + message.substr(at + 10) + ", not both";
  }
  if (error.get_name() == "RequiresError") {
    const std::size_t at = message.find(" requires ");
    const std::string needed = message.substr(at + 10);
    const CLI::Option* option = app_.get_option_no_throw(needed);
    const std::string placeholder = option ? option->get_option_text() : std::string();
    return message.substr(0, at) + " needs " + needed + (placeholder.empty() ? "" : " " + placeholder);
  }
  const std::string option = OptionNamed(message);
  if (Contains(message, "disallowed flag override")) {
    return option + " takes no value, not " + Quoted(ValueGiven(option, argc, argv));
  }
  if (Contains(message, "At Most")) return option + " is given more than once; give it once";
  if (const auto takes = takes_.find(option); takes != takes_.end()) {
    return option + " takes " + takes->second + ", but none was given";
  }
  std::string line = message;  // a case the tools do not expect; CLI11's words, lower-cased
  if (!line.empty()) line[0] = char(std::tolower(static_cast<unsigned char>(line[0])));
  return line;
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
