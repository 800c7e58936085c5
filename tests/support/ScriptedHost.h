#pragma once

#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "animation/FrontEnd.h"
#include "animation/Turn.h"

// A front end driven by a script: "at turn 37 the user drags VScroll2 to 350". It
// gives the loop's turns at once (GiveTurn); turns are counted from 1. The program
// ends when a script step calls End() or something calls EndProgram(), and in any
// case after maxTurns, so a faulty loop cannot hang a test.
class ScriptedHost : public FrontEnd {
 public:
  struct Bar {
    int min = 0;
    int max = 0;
    int value = 0;
  };

  Bar vscroll1{0, 115, 60};
  Bar vscroll2{-95, 700, 200};
  Bar hscroll1{25, 1000, 400};

  long turns = 0;
  long maxTurns = 1'000'000;
  std::vector<Turn> turnKinds;  // every turn given, in order
  std::map<long, std::function<void(ScriptedHost&)>> script;
  std::function<void(ScriptedHost&)> everyTurn;  // runs at every turn, after the script
  std::deque<float> randomNumbers;               // handed out by NextRandom, then 0
  int randomDraws = 0;
  int textPagesShown = 0;
  int creditsShown = 0;
  std::vector<FrameReport> frames;
  std::function<void(const FrameReport&)> onFrame;

  void End() { ending_ = true; }

  Bar& BarOf(ScrollBar bar) {
    return bar == ScrollBar::VScroll1 ? vscroll1 : bar == ScrollBar::VScroll2 ? vscroll2 : hscroll1;
  }
  const Bar& BarOf(ScrollBar bar) const {
    return bar == ScrollBar::VScroll1 ? vscroll1 : bar == ScrollBar::VScroll2 ? vscroll2 : hscroll1;
  }

  int Value(ScrollBar bar) const override { return BarOf(bar).value; }
  void SetValue(ScrollBar bar, int value) override { BarOf(bar).value = value; }
  int Min(ScrollBar bar) const override { return BarOf(bar).min; }
  int Max(ScrollBar bar) const override { return BarOf(bar).max; }

  // A turn the loop yielded: the script's step for this turn, then everyTurn.
  void GiveTurn(Turn kind) {
    ++turns;
    turnKinds.push_back(kind);
    if (auto step = script.find(turns); step != script.end()) step->second(*this);
    if (everyTurn) everyTurn(*this);
    if (turns >= maxTurns) ending_ = true;
  }
  bool Ending() const override { return ending_; }

  void ShowTextPage() override { ++textPagesShown; }
  void SetFace(ModeButton, Colour) override {}
  void Reseed() override {}
  void ClearSurface() override {}
  void EndProgram() override { ending_ = true; }
  void ShowCredit() override { ++creditsShown; }

  float NextRandom() override {
    ++randomDraws;
    if (randomNumbers.empty()) return 0.0f;
    const float r = randomNumbers.front();
    randomNumbers.pop_front();
    return r;
  }

  void FrameCompleted(const FrameReport& report) override {
    frames.push_back(report);
    if (onFrame) onFrame(report);
  }

 private:
  bool ending_ = false;
};

// The loop of an animation run from a revolution head with the script's turns, until
// the program ends.
template <class AnimationType>
void RunScripted(AnimationType& animation, ScriptedHost& host) {
  animation.RunAtOnce([&host](Turn turn) { host.GiveTurn(turn); });
}
