#include <QRegularExpression>
#include <vector>

#include "WindowFixture.h"
#include "app/TextPages.h"

namespace {

// The lengths of every run of two or more blanks, in order.
std::vector<int> RunsOfBlanks(const QString& text) {
  std::vector<int> runs;
  const QRegularExpression run(QStringLiteral(" {2,}"));
  for (auto it = run.globalMatch(text); it.hasNext();) runs.push_back(static_cast<int>(it.next().capturedLength()));
  return runs;
}

}  // namespace

TEST(TextPages, ExactRunsOfBlanksBetweenSentences) {
  EXPECT_EQ(RunsOfBlanks(text_pages::Page(0)), (std::vector<int>{2, 8, 51, 30, 30, 9}));
  EXPECT_EQ(RunsOfBlanks(text_pages::Page(1)), (std::vector<int>{42, 66, 63}));
  EXPECT_EQ(RunsOfBlanks(text_pages::Page(2)), (std::vector<int>{42, 19, 6}));
  for (int page = 0; page < 3; ++page) {
    EXPECT_FALSE(text_pages::Page(page).endsWith(' ')) << page;
    EXPECT_FALSE(text_pages::Page(page).contains('\n')) << page;
  }
  EXPECT_TRUE(text_pages::Page(0).startsWith("Torlin:  "));
  EXPECT_TRUE(text_pages::Page(1).startsWith(QString(42, ' ') + "In the state-of-the-art"));
  EXPECT_TRUE(text_pages::Page(0).contains(
      QString(30, ' ') + "Plot: 45 crank degrees per vertical line, 2 mm valve lift per horizontal line." +
      QString(9, ' ') + "The two control shafts can be rotated by the vertical Scroll Bars."));
  EXPECT_TRUE(text_pages::Page(2).endsWith(
      QString(6, ' ') + "With 100 available angles, or 'modes', for each control shaft, the Torlin can "
                        "operate at 10,000 different modes."));
  EXPECT_TRUE(text_pages::Page(3).isEmpty());
}

TEST(TextPages, CreditIsAReservedAddressAndACountry) {
  const QString credit = text_pages::Credit();
  EXPECT_TRUE(credit.startsWith(' '));
  EXPECT_FALSE(credit.startsWith("  "));
  EXPECT_EQ(RunsOfBlanks(credit), std::vector<int>{11});
  EXPECT_TRUE(credit.section(' ', 0, 0, QString::SectionSkipEmpty).endsWith(".example"));
}

using TextLabelTest = WindowFixture;

TEST_F(TextLabelTest, ShowTextPageFollowsMesAndIgnoresOtherValues) {
  for (int page : {1, 0, 2}) {
    vars().mes = page;
    window->ShowTextPage();
    EXPECT_EQ(controls().Label2->text(), text_pages::Page(page));
  }
  vars().mes = 3;
  window->ShowTextPage();
  EXPECT_EQ(controls().Label2->text(), text_pages::Page(2));
}

// Laid out at the label's width and font, every blank stays, and a long run fills
// the rest of its line so that the next sentence starts lower and further in.
TEST_F(TextLabelTest, LongRunsPushTheNextSentenceDownAndIn) {
  for (int page = 0; page < 3; ++page) {
    vars().mes = page;
    window->ShowTextPage();
    const QStringList lines = controls().Label2->LaidOutLines();
    EXPECT_EQ(lines.join(QString()), text_pages::Page(page));
    ASSERT_GT(lines.size(), 5);
  }
  vars().mes = 1;
  window->ShowTextPage();
  const QStringList lines = controls().Label2->LaidOutLines();
  EXPECT_TRUE(lines.front().startsWith(' '));  // the first sentence does not start at the corner
  // Where the second sentence starts: on a line that begins with blanks, not at its left edge.
  qsizetype offset = text_pages::Page(1).indexOf("In the Torlin");
  qsizetype line = 0;
  while (offset >= lines[line].size()) offset -= lines[line++].size();
  EXPECT_GT(line, 1);
  EXPECT_GT(offset, 0);
  EXPECT_TRUE(lines[line].startsWith(' '));
}

TEST_F(TextLabelTest, CreditAddressFitsOnTheFirstLine) {
  window->ShowCredit();
  const QStringList lines = controls().Label1->LaidOutLines();
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_TRUE(lines.front().contains(".example"));
  EXPECT_LE(lines.size(), 2);
}
