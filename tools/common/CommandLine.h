#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A tool's command line on CLI11, in the tools' one style. Every option is declared
// with what it takes; a value that does not fit, a repeated option, an unknown one or
// a declared conflict gives one line "PROGRAM: --name takes WHAT, not 'VALUE'" (or
// the like) on stderr and exit status 2, with nothing on stdout. --help and
// --version print to stdout; a failed write there is exit status 1.
class CommandLine {
 public:
  // Reads one value: true if it fits (and then keeps it), false if not.
  using ValueReader = std::function<bool(const std::string& value)>;

  CommandLine(std::string program, std::string usageLine, std::string description);

  // An option without a value.
  CLI::Option* Switch(const std::string& name, bool& target, const std::string& help);
  // An option with one value; takes says what it accepts, for the error line
  // ("a whole number from 0 to 115").
  CLI::Option* Value(const std::string& name, const std::string& placeholder, const std::string& takes,
                     ValueReader read, const std::string& help);
  CLI::Option* WholeNumber(const std::string& name, int min, int max, int& target, const std::string& help);
  // A decimal number in [min, max], or (min, max] if minExcluded.
  CLI::Option* Decimal(const std::string& name, const std::string& placeholder, double min, double max,
                       bool minExcluded, std::optional<double>& target, const std::string& help);

  // Declared conflicts, checked after parsing in the order declared, each with its one
  // line: "give A or B, not both" (why, if given, comes first: "WHY; give ...").
  void Excludes(CLI::Option* a, CLI::Option* b, std::string why = {});
  // "A needs B PLACEHOLDER" when a is given without b.
  void Needs(CLI::Option* a, CLI::Option* b);
  // An option that may also be given without its value (it then counts as given).
  void ValueMayBeLeftOut(CLI::Option* option);

  // Text after the options: sections of the help, already laid out (see HelpList).
  void Footer(std::string text) { app_.footer(std::move(text)); }
  CLI::App& App() { return app_; }

  // Parses; nothing if the program should run, else the exit status (after the help,
  // the version or the error line has been printed).
  std::optional<int> Parse(int argc, const char* const argv[]);

 private:
  struct Conflict {
    CLI::Option* given;
    CLI::Option* other;
    bool excludes;  // else needs
    std::string why;
  };
  struct SwitchTarget {
    CLI::Option* option;
    bool* target;
  };

  // The line about the first option that was given wrongly, or empty.
  std::string MisusedOption(int argc, const char* const argv[]) const;
  std::string ConflictLine() const;

  std::string program_;
  CLI::App app_;
  std::vector<CLI::Option*> values_;        // in the order declared
  std::map<const CLI::Option*, std::string> takes_;  // what each value option takes
  std::vector<CLI::Option*> valueMayBeLeftOut_;
  std::vector<SwitchTarget> switches_;
  std::vector<Conflict> conflicts_;
};

// Text that starts at column indent, wrapped at width columns, each line after the
// first starting with indent blanks; line ends in text are kept.
std::string Wrapped(const std::string& text, std::size_t width, std::size_t indent = 0);
// A titled list for the help: "Title:" then each name with its text beside it,
// wrapped at 80 columns with the texts in one column.
std::string HelpList(const std::string& title, const std::vector<std::pair<std::string, std::string>>& entries);
// A titled paragraph, wrapped at 80 columns and indented by two.
std::string HelpParagraph(const std::string& title, const std::string& text);

// The exit statuses every tool has, for the end of its help; badOptions says what
// gives status 2.
std::string ExitStatusHelp(const std::string& badOptions);

// Whole numbers as users type them: optional minus sign and decimal digits only.
std::optional<int> WholeNumberIn(const std::string& text, int min, int max);
// A finite decimal number read the C way whatever the locale; none if the whole text
// is not one.
std::optional<double> DecimalNumber(const std::string& text);
// Two such numbers as "A,B"; none unless the text is exactly that.
std::optional<std::pair<double, double>> DecimalPair(const std::string& text);
