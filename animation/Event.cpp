#include "animation/Event.h"

#include "animation/Handlers.h"

void Dispatch(const Event& event, WindowVariables& vars, FrontEnd& frontEnd) {
  Handlers handlers(vars, frontEnd);
  switch (event.kind) {
    case EventKind::FormClick: handlers.Form_Click(); return;
    case EventKind::FormDblClick: handlers.Form_DblClick(); return;
    case EventKind::FormMouseMove: handlers.Form_MouseMove(event.x, event.y); return;
    case EventKind::FormKeyPress: handlers.Form_KeyPress(event.key); return;
    case EventKind::Label1DblClick: handlers.Label1_DblClick(); return;
    case EventKind::Label2Click: handlers.Label2_Click(); return;
    case EventKind::Label2DblClick: handlers.Label2_DblClick(); return;
    case EventKind::Command1Click: handlers.Command1_Click(); return;
    case EventKind::Command2Click: handlers.Command2_Click(); return;
    case EventKind::Command3Click: handlers.Command3_Click(); return;
    case EventKind::Command4Click: handlers.Command4_Click(); return;
    case EventKind::Command5Click: handlers.Command5_Click(); return;
  }
}

std::span<const char* const> EventNames() {
  static constexpr const char* kNames[] = {
      "FormClick",      "FormDblClick",  "FormMouseMove", "FormKeyPress",
      "Label1DblClick", "Label2Click",   "Label2DblClick", "Command1Click",
      "Command2Click",  "Command3Click", "Command4Click",  "Command5Click",
  };
  static_assert(std::size(kNames) == static_cast<std::size_t>(EventKind::Command5Click) + 1);
  return kNames;
}
