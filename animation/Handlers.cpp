#include "animation/Handlers.h"

#include <cmath>

#include "animation/Event.h"
#include "animation/PageTexts.h"

namespace {

using page_texts::kPageCount;

}  // namespace

void Handlers::SetFace(ModeButton button, int on) {
  frontEnd_.SetFace(button, on == 1 ? colours::cyan : colours::lightGrey);
}

void Handlers::Form_Click() {
  vars_.mes = (vars_.mes + 1) % kPageCount;
  frontEnd_.ShowTextPage();
}

void Handlers::Label2_Click() { Form_Click(); }

void Handlers::Form_DblClick() { frontEnd_.EndProgram(); }
void Handlers::Label1_DblClick() { frontEnd_.EndProgram(); }
void Handlers::Label2_DblClick() { frontEnd_.EndProgram(); }

void Handlers::Form_MouseMove(float x, float y) {
  const double distance = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y);
  vars_.stp = distance < 4 ? 1 : 0;
}

void Handlers::Form_KeyPress(int keyAscii) {
  if (keyAscii != kEscapeKey) return;
  frontEnd_.ClearSurface();
  frontEnd_.EndProgram();
}

// "CLS": the loop clears at the end of its frame and shows the new page then.
void Handlers::Command1_Click() {
  vars_.cls1 = 1;
  vars_.mes = (vars_.mes + 1) % kPageCount;
}

void Handlers::Command2_Click() { frontEnd_.EndProgram(); }

void Handlers::Command3_Click() {
  vars_.aut1 = (vars_.aut1 + 1) % 2;
  if (vars_.aut1 == 1) {
    vars_.aut2 = 0;
    vars_.rad1 = 0;
    SetFace(ModeButton::Command4, 0);
    SetFace(ModeButton::Command5, 0);
  }
  SetFace(ModeButton::Command3, vars_.aut1);
  vars_.eee = 0;
}

void Handlers::Command4_Click() {
  vars_.aut2 = (vars_.aut2 + 1) % 2;
  if (vars_.aut2 == 1) {
    vars_.aut1 = 0;
    SetFace(ModeButton::Command3, 0);
    vars_.rad1 = 0;
    SetFace(ModeButton::Command5, 0);
  }
  SetFace(ModeButton::Command4, vars_.aut2);
  vars_.eee = 0;
}

void Handlers::Command5_Click() {
  frontEnd_.Reseed();
  vars_.aut1 = 0;
  SetFace(ModeButton::Command3, 0);
  vars_.aut2 = 0;
  SetFace(ModeButton::Command4, 0);
  vars_.eee = 0;
  vars_.rad1 = (vars_.rad1 + 1) % 2;
  SetFace(ModeButton::Command5, vars_.rad1);
}
