#pragma once

#include "animation/FrontEnd.h"
#include "animation/WindowVariables.h"

// The event handlers' rules: what a click, a double-click, a mouse move or a key
// changes. They change the window-level variables and, through the front end, the
// button faces and the text page, or end the program; they never draw the
// mechanism and never wait: the animation loop reads the variables at its next
// check. Every front end routes its events here.
class Handlers {
 public:
  Handlers(WindowVariables& vars, FrontEnd& frontEnd) : vars_(vars), frontEnd_(frontEnd) {}

  void Form_Click();
  void Form_DblClick();
  // The pointer's position in window units.
  void Form_MouseMove(float x, float y);
  // The key-press handler of the window and of every button and scroll bar.
  void Form_KeyPress(int keyAscii);
  void Label1_DblClick();
  void Label2_Click();
  void Label2_DblClick();
  void Command1_Click();  // "CLS"
  void Command2_Click();  // "QUIT"
  void Command3_Click();  // "auto"
  void Command4_Click();  // " auto"
  void Command5_Click();  // "random change"

 private:
  void SetFace(ModeButton button, int on);

  WindowVariables& vars_;
  FrontEnd& frontEnd_;
};
