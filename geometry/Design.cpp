#include "geometry/Design.h"

Design WindowDesign() {
  Design d;
  d.name = "window";
  d.cam.axis = {3.39237, 51.34389};
  d.cam.baseRadiusMm = 24;
  d.cam.lobe.law = LobeLaw::CosinePower;
  d.cam.lobe.liftMm = 7.34;
  d.cam.lobe.startCamDeg = 282.5;
  d.cam.lobe.spanCamDeg = 225;
  d.cam.lobe.exponent = 1.5;
  d.lever.pivot = {3.39237, 19.7102};
  d.lever.startDeg = 20;
  d.lever.pieces = {
      {19, 49.185754474272, 0, std::nullopt},
      {1.5, 100.471996083333, 0, DesignPoint{16.63694, 31.14835393825}},
      {30, 120, 0, DesignPoint{-11.38836, 36.328369373}},
  };
  d.freeRollerRadiusMm = 9.5;
  d.secondRollerRadiusMm = 9.5;
  d.eccentricRadiusMm = 20;
  d.linkLengthMm = 20;
  d.rodLengthMm = 20;
  d.valveAxisXMm = 0;
  d.valveSeatYMm = 0;
  d.leverShaft = {0, 115, -1.0 / 300};
  d.eccentricShaft = {-95, 700, 0.1};
  return d;
}

namespace {

template <class Map>
Design Mapped(const Design& design, double lengthScale, Map point) {
  Design d = design;
  d.cam.axis = point(d.cam.axis);
  d.cam.baseRadiusMm *= lengthScale;
  d.cam.lobe.liftMm *= lengthScale;
  d.cam.lobe.rampHeightMm *= lengthScale;
  d.lever.pivot = point(d.lever.pivot);
  for (LeverPiece& piece : d.lever.pieces) {
    piece.radiusMm *= lengthScale;
    if (piece.centre) piece.centre = point(*piece.centre);
  }
  d.freeRollerRadiusMm *= lengthScale;
  d.secondRollerRadiusMm *= lengthScale;
  d.eccentricRadiusMm *= lengthScale;
  d.linkLengthMm *= lengthScale;
  d.rodLengthMm *= lengthScale;
  const DesignPoint seat = point({d.valveAxisXMm, d.valveSeatYMm});
  d.valveAxisXMm = seat.x;
  d.valveSeatYMm = seat.y;
  return d;
}

}  // namespace

Design ScaledDesign(const Design& design, double s) {
  return Mapped(design, s, [s](DesignPoint p) { return DesignPoint{p.x * s, p.y * s}; });
}

Design TranslatedDesign(const Design& design, double dx, double dy) {
  return Mapped(design, 1, [=](DesignPoint p) { return DesignPoint{p.x + dx, p.y + dy}; });
}
