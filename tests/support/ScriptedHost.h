#pragma once

#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "animation/Host.h"

// A host driven by a script: "at turn 37 the user drags VScroll2 to 350". Turns are
// counted from 1; the host ends the program after the last scripted turn or when a
// script step calls End(), and in any case after maxTurns, so a faulty loop cannot
// hang a test.
class ScriptedHost final : public Host {
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

  void GiveTurn(Turn kind) override {
    ++turns;
    turnKinds.push_back(kind);
    if (auto step = script.find(turns); step != script.end()) step->second(*this);
    if (everyTurn) everyTurn(*this);
    if (turns >= maxTurns) ending_ = true;
  }
  bool Ending() const override { return ending_; }

  void ShowTextPage() override { ++textPagesShown; }
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
