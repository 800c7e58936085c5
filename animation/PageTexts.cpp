#include "animation/PageTexts.h"

#include <initializer_list>

namespace page_texts {
namespace {

struct Sentence {
  int blanksBefore;
  const char* text;
};

std::string Blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

std::string Join(std::initializer_list<Sentence> sentences) {
  std::string page;
  for (const Sentence& s : sentences) {
    page += Blanks(s.blanksBefore);
    page += s.text;
  }
  return page;
}

std::string Title() {
  return "Torlin:  Variable Valve Actuation" + Blanks(8) + "with Two Control Shafts";
}

std::string Page0() {
  return Title() +
         Join({
             {51, "The 'Constant Duration VVA' or CDVVA (orange control shaft) is 'actuated' not by a "
                  "cam, but by a 'Lost Motion VVA' or LMVVA."},
             {30, "In the mechanism shown, the rotation of the LMVVA control shaft (green) defines the "
                  "valve duration, while the valve stroke (lift) is the 'product' of the lifts from the "
                  "two combined VVAs."},
             {30, "Plot: 45 crank degrees per vertical line, 2 mm valve lift per horizontal line."},
             {9, "The two control shafts can be rotated by the vertical Scroll Bars."},
         });
}

std::string Page1() {
  return Join({
      {42, "In the state-of-the-art mechanical VVAs (either Lost Motion or Constant Duration), each "
           "lift is related to one, and only one, duration."},
      {66, "In the Torlin each lift relates to infinite durations and, vice versa, each duration "
           "(from the infinite available) relates to infinite lifts (so the ideal valve lift "
           "profile, for the specific operational conditions, can be better approached)."},
      {63, "The Torlin, at right, is simpler and needs fewer parts than most 'conventional' VVAs."},
  });
}

std::string Page2() {
  return Join({
      {42, "Give our earlier variable valve actuation prototype for 1.6-litre 16-valve engines a "
           "second control shaft and one free roller per pair of valves, and it becomes the Torlin, "
           "with two rollers per pair of valves."},
      {19, "The first control shaft can be directly rotated by drivers' right foot, while the new "
           "control shaft can be rotated by an electric motor (neither too strong, nor too fast "
           "responsive)."},
      {6, "With 100 available angles, or 'modes', for each control shaft, the Torlin can operate at "
          "10,000 different modes."},
  });
}

}  // namespace

std::string Page(int page) {
  switch (page) {
    case 0: return Page0();
    case 1: return Page1();
    case 2: return Page2();
    default: return {};
  }
}

std::string Caption() {
  return "  Torlin Brennick" + Blanks(24) +
         "Click on the buttons, on the window, move the scroll bars, approach lower red cross, etc";
}

std::string Credit() { return " www.tvva.example" + Blanks(11) + "Ruritania"; }

}  // namespace page_texts
