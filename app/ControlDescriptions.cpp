#include "app/ControlDescriptions.h"

#include <QPushButton>
#include <QScrollBar>
#include <QString>

#include "animation/ControlDesign.h"
#include "app/ColouredButton.h"
#include "app/Controls.h"
#include "app/WrappingLabel.h"

// The texts are the shared designs', so that every front end says the same.
void DescribeControls(const Controls& c) {
  QWidget* const all[] = {c.VScroll1, c.VScroll2, c.Command1, c.Command2, c.Label1,
                          c.HScroll1, c.Label2, c.Command3, c.Command4, c.Command5};
  for (QWidget* control : all) {
    for (const ControlDesign& design : ControlDesigns()) {
      if (control->objectName() != QLatin1String(design.name)) continue;
      control->setAccessibleName(QString::fromUtf8(design.accessibleName));
      control->setAccessibleDescription(QString::fromUtf8(design.description));
      if (design.tip) control->setToolTip(QString::fromUtf8(design.tip));
    }
  }
}
