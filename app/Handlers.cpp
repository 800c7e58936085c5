// The window's event handlers. They change the window-level variables, the button
// faces and the text page, or end the program; they never draw the mechanism and
// never wait: the animation loop reads the variables at its next check.
#include <cmath>

#include "app/ColouredButton.h"
#include "app/ImageCanvas.h"
#include "app/QtHost.h"
#include "app/TextPages.h"
#include "app/TorlinWindow.h"

namespace {

Colour FaceFor(int on) { return on == 1 ? colours::cyan : colours::lightGrey; }

}  // namespace

void Torlin::Form_Click() {
  vars_.mes = (vars_.mes + 1) % text_pages::kPageCount;
  ShowTextPage();
}

void Torlin::Label2_Click() { Form_Click(); }

void Torlin::Form_DblClick() { EndProgram(); }
void Torlin::Label1_DblClick() { EndProgram(); }
void Torlin::Label2_DblClick() { EndProgram(); }

void Torlin::Form_MouseMove(float x, float y) {
  const double distance = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y);
  vars_.stp = distance < 4 ? 1 : 0;
}

void Torlin::Form_KeyPress(int keyAscii) {
  if (keyAscii != 27) return;
  canvas_->Cls();
  ShowDrawing();
  EndProgram();
}

// "CLS": the loop clears at the end of its frame and shows the new page then.
void Torlin::Command1_Click() {
  vars_.cls1 = 1;
  vars_.mes = (vars_.mes + 1) % text_pages::kPageCount;
}

void Torlin::Command2_Click() { EndProgram(); }

void Torlin::Command3_Click() {
  vars_.aut1 = (vars_.aut1 + 1) % 2;
  if (vars_.aut1 == 1) {
    vars_.aut2 = 0;
    vars_.rad1 = 0;
    controls_.Command4->SetFace(colours::lightGrey);
    controls_.Command5->SetFace(colours::lightGrey);
  }
  controls_.Command3->SetFace(FaceFor(vars_.aut1));
  vars_.eee = 0;
}

void Torlin::Command4_Click() {
  vars_.aut2 = (vars_.aut2 + 1) % 2;
  if (vars_.aut2 == 1) {
    vars_.aut1 = 0;
    controls_.Command3->SetFace(colours::lightGrey);
    vars_.rad1 = 0;
    controls_.Command5->SetFace(colours::lightGrey);
  }
  controls_.Command4->SetFace(FaceFor(vars_.aut2));
  vars_.eee = 0;
}

void Torlin::Command5_Click() {
  host_->Reseed();
  vars_.aut1 = 0;
  controls_.Command3->SetFace(colours::lightGrey);
  vars_.aut2 = 0;
  controls_.Command4->SetFace(colours::lightGrey);
  vars_.eee = 0;
  vars_.rad1 = (vars_.rad1 + 1) % 2;
  controls_.Command5->SetFace(FaceFor(vars_.rad1));
}
