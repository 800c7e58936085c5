#include "app/Fonts.h"

#include <QStringList>

QFont ArialBold(double pointSize) {
  QFont font;
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPointSizeF(pointSize);
  font.setBold(true);
  return font;
}
