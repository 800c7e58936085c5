#include <gtest/gtest.h>

#include "animation/Animation.h"
#include "animation/Background.h"
#include "support/RecordingCanvas.h"
#include "support/ScriptedHost.h"

namespace {

bool SameCalls(const std::vector<RecordingCanvas::Call>& a, const std::vector<RecordingCanvas::Call>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].op != b[i].op || a[i].a != b[i].a || a[i].b != b[i].b || a[i].c != b[i].c ||
        a[i].d != b[i].d || !(a[i].colour == b[i].colour) || a[i].width != b[i].width) {
      return false;
    }
  }
  return true;
}

// A fresh window: every variable 0, scroll bars at their start values.
class StartUpTest : public testing::Test {
 protected:
  RecordingCanvas canvas;
  ScriptedHost host;
  WindowVariables vars;
  Animation animation{vars, host, canvas};
};

TEST_F(StartUpTest, ClearsThenDrawsOnlyTheBackgroundAndEndsAtPenWidthOne) {
  RecordingCanvas expected;
  expected.penColour = canvas.penColour;
  expected.penWidth = canvas.penWidth;
  expected.Cls();
  WindowVariables scratch;
  DrawBackground(expected, scratch);
  expected.SetPenWidth(1);

  animation.StartUp();
  EXPECT_TRUE(SameCalls(canvas.calls, expected.calls));
}

TEST_F(StartUpTest, SetsSteepToFourWhateverTheSpeedBarShowsAndNoOtherVariableButInit) {
  host.hscroll1.value = 1000;
  vars.X = 1.5;
  vars.fff = 2.5;
  vars.stp = 1;
  vars.mes = 2;
  vars.aut1 = 1;
  vars.rad1 = 1;
  vars.init = 10;
  vars.steep = 0.25;
  animation.StartUp();

  EXPECT_EQ(vars.steep, 4);
  EXPECT_EQ(vars.init, 0);
  EXPECT_EQ(vars.X, 1.5);
  EXPECT_EQ(vars.fff, 2.5);
  EXPECT_EQ(vars.stp, 1);
  EXPECT_EQ(vars.mes, 2);
  EXPECT_EQ(vars.aut1, 1);
  EXPECT_EQ(vars.rad1, 1);
  EXPECT_EQ(host.hscroll1.value, 1000);
  EXPECT_EQ(host.turns, 0);
  EXPECT_EQ(host.randomDraws, 0);
  EXPECT_EQ(host.creditsShown, 1);
  EXPECT_EQ(host.textPagesShown, 1);
}

TEST_F(StartUpTest, BuildsConstantsAndStartTablesAndLeavesEveryOtherValueZero) {
  animation.StartUp();
  const AnimationState& state = animation.State();

  const MechanismConstants expected = MakeMechanismConstants();
  EXPECT_EQ(state.constants.pi, expected.pi);
  EXPECT_EQ(state.constants.camCentreY, expected.camCentreY);
  EXPECT_EQ(state.constants.flankArcRadius, expected.flankArcRadius);
  EXPECT_EQ(state.constants.cornerStartX, expected.cornerStartX);
  EXPECT_EQ(state.constants.cornerStartY, expected.cornerStartY);

  auto tables = std::make_unique<ProfileTables>();
  BuildProfileTables(*WindowMechanism(), *tables);
  ASSERT_NE(state.tables, nullptr);
  EXPECT_EQ(state.tables, &WindowMechanism()->Tables());  // shared, not copied
  EXPECT_EQ(state.tables->profile.camPitchRadius, tables->camPitchRadius);
  EXPECT_EQ(state.tables->profile.camOutlineX, tables->camOutlineX);
  EXPECT_EQ(state.tables->profile.camOutlineY, tables->camOutlineY);
  EXPECT_EQ(state.tables->profile.leverCurveX, tables->leverCurveX);
  EXPECT_EQ(state.tables->profile.leverCurveY, tables->leverCurveY);

  auto allZero = [](const auto& table) {
    for (double entry : table) {
      if (entry != 0) return false;
    }
    return true;
  };
  EXPECT_TRUE(allZero(state.camPitchX));
  EXPECT_TRUE(allZero(state.camPitchY));
  EXPECT_TRUE(allZero(state.leverCurveNowX));
  EXPECT_TRUE(allZero(state.leverCurveNowY));
  EXPECT_EQ(state.camAngle, 0);
  EXPECT_EQ(state.leverAngle, 0);
  EXPECT_EQ(state.revolution, 0);
  EXPECT_EQ(state.prevRollerX, 0);
  EXPECT_EQ(state.prevValveY, 0);
}

TEST_F(StartUpTest, RunsOnlyOnce) {
  animation.StartUp();
  canvas.Clear();
  vars.steep = 10;
  vars.init = 3;

  animation.StartUp();
  EXPECT_TRUE(canvas.calls.empty());
  EXPECT_EQ(vars.steep, 10);
  EXPECT_EQ(vars.init, 3);
  EXPECT_EQ(host.creditsShown, 1);
  EXPECT_EQ(host.textPagesShown, 1);
}

}  // namespace
