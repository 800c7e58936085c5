// The window's event handlers pass their events to the shared handler rules; the
// window is the rules' front end: button faces, text page, surface and ending.
#include "app/ColouredButton.h"
#include "app/QtHost.h"
#include "app/TorlinWindow.h"
#include "raster/RasterCanvas.h"

void Torlin::Form_Click() { handlers_.Form_Click(); }
void Torlin::Label2_Click() { handlers_.Label2_Click(); }
void Torlin::Form_DblClick() { handlers_.Form_DblClick(); }
void Torlin::Label1_DblClick() { handlers_.Label1_DblClick(); }
void Torlin::Label2_DblClick() { handlers_.Label2_DblClick(); }
void Torlin::Form_MouseMove(float x, float y) { handlers_.Form_MouseMove(x, y); }
void Torlin::Form_KeyPress(int keyAscii) { handlers_.Form_KeyPress(keyAscii); }
void Torlin::Command1_Click() { handlers_.Command1_Click(); }
void Torlin::Command2_Click() { handlers_.Command2_Click(); }
void Torlin::Command3_Click() { handlers_.Command3_Click(); }
void Torlin::Command4_Click() { handlers_.Command4_Click(); }
void Torlin::Command5_Click() { handlers_.Command5_Click(); }

void Torlin::SetFace(ModeButton button, Colour face) {
  switch (button) {
    case ModeButton::Command3: controls_.Command3->SetFace(face); return;
    case ModeButton::Command4: controls_.Command4->SetFace(face); return;
    case ModeButton::Command5: controls_.Command5->SetFace(face); return;
  }
}

void Torlin::Reseed() { host_->Reseed(); }

void Torlin::ClearSurface() {
  canvas_->Cls();
  ShowDrawing();
}
