#include <gtest/gtest.h>

#include <langinfo.h>
#include <locale.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <string>

#include "LiftRun.h"

namespace {

// True if the named locale is installed and writes numbers with a decimal comma.
bool HasDecimalComma(const char* name) {
  const locale_t locale = newlocale(LC_ALL_MASK, name, locale_t(nullptr));
  if (locale == locale_t(nullptr)) return false;
  const bool comma = std::strcmp(nl_langinfo_l(RADIXCHAR, locale), ",") == 0;
  freelocale(locale);
  return comma;
}

TEST(LiftToolOutput, ACommaLocaleChangesNoByte) {
  const char* const german = "de_DE.UTF-8";
  if (!HasDecimalComma(german)) {
    GTEST_SKIP() << "locale " << german << " is not installed (scripts/test generates it when run as root; "
                 << "or run: localedef -i de_DE -f UTF-8 de_DE.UTF-8)";
  }
  const QStringList arguments{QStringLiteral("--lever=0"), QStringLiteral("--eccentric=700"),
                              QStringLiteral("--revolutions=1")};
  const ToolRun plain = RunLift(arguments, {QStringLiteral("LC_ALL=C")});
  const ToolRun comma = RunLift(arguments, {QStringLiteral("LC_ALL=") + QLatin1String(german)});
  ASSERT_EQ(comma.exitCode, 0) << comma.err.toStdString();
  EXPECT_TRUE(comma.err.isEmpty()) << comma.err.toStdString();
  ASSERT_FALSE(Rows(comma).empty());
  for (const Row& row : Rows(comma)) ASSERT_EQ(row.fields.size(), kLiftColumns);
  EXPECT_EQ(comma.out, plain.out);
}

// The README shows a command and some of its rows; they must be what the tool prints.
TEST(LiftToolOutput, TheReadmeExampleIsTrue) {
  QFile readme(QStringLiteral(TORLIN_SOURCE_DIR "/README.md"));
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(readme.readAll()).split(QLatin1Char('\n'));
  const QString prompt = QStringLiteral("    $ build/default/tools/torlin-lift");
  qsizetype at = 0;
  while (at < lines.size() && !lines[at].startsWith(prompt)) ++at;
  ASSERT_LT(at, lines.size()) << "no torlin-lift example in the README";

  const QStringList arguments = lines[at].mid(prompt.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  const ToolRun run = RunLift(arguments);
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList printed = Lines(run.out);

  QStringList shown;
  for (++at; at < lines.size() && lines[at].startsWith(QLatin1String("    ")); ++at) {
    shown << lines[at].trimmed();
  }
  ASSERT_GE(shown.size(), 2);
  EXPECT_EQ(shown[0], printed.value(0));  // the header
  EXPECT_EQ(shown[1], printed.value(1));  // the first row
  for (const QString& line : shown) {
    if (line != QLatin1String("...")) {
      EXPECT_TRUE(printed.contains(line)) << line.toStdString();
    }
  }
}

}  // namespace
