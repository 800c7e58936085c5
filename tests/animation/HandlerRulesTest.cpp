#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animation/Handlers.h"
#include "animation/PageTexts.h"
#include "support/ScriptedHost.h"

namespace {

// Records what the rules asked of the front end, in order.
class RecordingFrontEnd final : public ScriptedHost {
 public:
  std::vector<std::string> calls;
  Colour faces[3] = {colours::lightGrey, colours::lightGrey, colours::lightGrey};

  void SetFace(ModeButton button, Colour face) override { faces[static_cast<int>(button)] = face; }
  void ShowTextPage() override { calls.push_back("page"); }
  void Reseed() override { calls.push_back("reseed"); }
  void ClearSurface() override { calls.push_back("clear"); }
  void EndProgram() override { calls.push_back("end"); }
};

class HandlerRulesTest : public ::testing::Test {
 protected:
  WindowVariables vars;
  RecordingFrontEnd frontEnd;
  Handlers handlers{vars, frontEnd};

  // The three modes and their faces agree: cyan exactly when on.
  void ExpectModes(int aut1, int aut2, int rad1) {
    EXPECT_EQ(vars.aut1, aut1);
    EXPECT_EQ(vars.aut2, aut2);
    EXPECT_EQ(vars.rad1, rad1);
    const int on[3] = {aut1, aut2, rad1};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(frontEnd.faces[i], on[i] ? colours::cyan : colours::lightGrey) << "button " << i;
    }
  }
};

TEST_F(HandlerRulesTest, AtMostOneModeIsOnAndEveryPressOpensTheEraseLatch) {
  const auto press = [&](void (Handlers::*handler)()) {
    vars.eee = 1;
    (handlers.*handler)();
    EXPECT_EQ(vars.eee, 0);
  };
  press(&Handlers::Command3_Click);
  ExpectModes(1, 0, 0);
  press(&Handlers::Command4_Click);
  ExpectModes(0, 1, 0);
  press(&Handlers::Command5_Click);
  ExpectModes(0, 0, 1);
  press(&Handlers::Command3_Click);
  ExpectModes(1, 0, 0);
  press(&Handlers::Command3_Click);
  ExpectModes(0, 0, 0);
  press(&Handlers::Command5_Click);
  press(&Handlers::Command5_Click);
  ExpectModes(0, 0, 0);
  EXPECT_EQ(frontEnd.calls, (std::vector<std::string>{"reseed", "reseed", "reseed"}));
}

TEST_F(HandlerRulesTest, ClicksCycleThePagesWhileClsAdvancesWithoutShowing) {
  handlers.Form_Click();
  handlers.Label2_Click();
  EXPECT_EQ(vars.mes, 2);
  handlers.Command1_Click();
  handlers.Command1_Click();
  EXPECT_EQ(vars.cls1, 1);
  EXPECT_EQ(vars.mes, 1);
  EXPECT_EQ(frontEnd.calls, (std::vector<std::string>{"page", "page"}));
  EXPECT_EQ(page_texts::kPageCount, 3);
}

TEST_F(HandlerRulesTest, PauseOnlyStrictlyInsideFourUnits) {
  handlers.Form_MouseMove(0.0f, -3.9999f);
  EXPECT_EQ(vars.stp, 1);
  handlers.Form_MouseMove(2.4f, 3.2f);  // 4 in double from single-precision inputs
  EXPECT_EQ(vars.stp, 0);
}

TEST_F(HandlerRulesTest, EveryEndingPathEndsAndOnlyEscapeClearsFirst) {
  handlers.Form_KeyPress(13);
  EXPECT_TRUE(frontEnd.calls.empty());
  handlers.Form_KeyPress(27);
  EXPECT_EQ(frontEnd.calls, (std::vector<std::string>{"clear", "end"}));
  frontEnd.calls.clear();
  handlers.Command2_Click();
  handlers.Form_DblClick();
  handlers.Label1_DblClick();
  handlers.Label2_DblClick();
  EXPECT_EQ(frontEnd.calls, (std::vector<std::string>(4, "end")));
}

}  // namespace
