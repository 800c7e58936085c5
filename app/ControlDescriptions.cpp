#include "app/ControlDescriptions.h"

#include <QPushButton>
#include <QScrollBar>
#include <QString>

#include "app/ColouredButton.h"
#include "app/Controls.h"
#include "app/WrappingLabel.h"

namespace {

void Describe(QWidget* control, const char* name, const char* description, const char* tip = nullptr) {
  control->setAccessibleName(QString::fromUtf8(name));
  control->setAccessibleDescription(QString::fromUtf8(description));
  if (tip) control->setToolTip(QString::fromUtf8(tip));
}

}  // namespace

void DescribeControls(const Controls& c) {
  Describe(c.VScroll1, "Green control shaft",
           "Turns the green control shaft, the lever: mainly sets how long the valve stays open. "
           "Takes effect at the start of the next cam revolution.",
           "Green control shaft (lever): how long the valve stays open");
  Describe(c.VScroll2, "Orange control shaft",
           "Turns the orange control shaft, the eccentric: changes the valve lift. "
           "Takes effect at the start of the next cam revolution.",
           "Orange control shaft (eccentric): how far the valve opens");
  Describe(c.HScroll1, "Animation speed", "Cam degrees per frame, from 0.25 to 10.",
           "Animation speed: cam degrees per frame (0.25 to 10)");
  Describe(c.Command1, "CLS", "Clears the lift plot at the end of the frame and shows the next text page.",
           "Clear the lift plot");
  Describe(c.Command2, "QUIT", "Ends the program.", "End the program (also Escape)");
  Describe(c.Command3, "Sweep the green shaft",
           "Sweeps the green control shaft towards its end, two steps per revolution; press again to stop. "
           "A cyan face means on.",
           "Sweep the green shaft (lever) automatically; cyan means on");
  Describe(c.Command4, "Sweep the orange shaft",
           "Sweeps the orange control shaft towards its end, two steps per revolution; press again to stop. "
           "A cyan face means on.",
           "Sweep the orange shaft (eccentric) automatically; cyan means on");
  Describe(c.Command5, "Random change",
           "Gives both control shafts random positions once per revolution; press again to stop. "
           "A cyan face means on.",
           "Random shaft positions once per revolution; cyan means on");
  Describe(c.Label1, "Credit", "Who made the program. A double-click ends it.");
  Describe(c.Label2, "Explanation",
           "One of three text pages about the mechanism. A click shows the next page; a double-click ends "
           "the program.");
}
