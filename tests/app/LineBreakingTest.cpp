#include <gtest/gtest.h>

#include <random>

#include "app/LineBreaking.h"

namespace {

// Every character one unit wide.
int Chars(const QString& s) { return static_cast<int>(s.size()); }

QStringList Break(const char* text, int width) { return BreakIntoLines(QString(text), width, Chars); }

}  // namespace

TEST(LineBreaking, BlanksAreKeptAndABlankThatDoesNotFitStartsTheNextLine) {
  EXPECT_EQ(Break("ab  cd", 4), (QStringList{"ab  ", "cd"}));
  EXPECT_EQ(Break("abcd  ef", 4), (QStringList{"abcd", "  ef"}));
  EXPECT_EQ(Break("   x", 10), (QStringList{"   x"}));  // leading run kept
  EXPECT_EQ(Break("a          b", 4), (QStringList{"a   ", "    ", "   b"}));
}

TEST(LineBreaking, WordsMoveWholeAndAnOverlongWordStandsAlone) {
  EXPECT_EQ(Break("one two three", 8), (QStringList{"one two ", "three"}));
  EXPECT_EQ(Break("a abcdefg b", 3), (QStringList{"a ", "abcdefg", " b"}));
  EXPECT_TRUE(Break("", 5).isEmpty());
}

// Whatever the text and width: the lines put together give back the text, lines
// break only next to a blank, and only a line holding one word may overflow.
TEST(LineBreaking, PropertiesOverRandomTexts) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    QString text;
    const int length = static_cast<int>(random() % 120);
    for (int i = 0; i < length; ++i) text += (random() % 3 == 0) ? QChar(u' ') : QChar(char16_t(u'a' + random() % 5));
    const int width = 1 + static_cast<int>(random() % 20);
    const QStringList lines = BreakIntoLines(text, width, Chars);
    ASSERT_EQ(lines.join(QString()), text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
      ASSERT_FALSE(lines[i].isEmpty());
      if (lines[i].size() > width) {
        ASSERT_FALSE(lines[i].contains(' ')) << lines[i].toStdString();
      }
      if (i > 0) {
        ASSERT_TRUE(lines[i - 1].back() == ' ' || lines[i].front() == ' ');
      }
    }
  }
}
