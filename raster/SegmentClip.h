#pragma once

// Clips the segment (x1, y1)-(x2, y2) to the rectangle [left, right] x [top, bottom]
// (Liang-Barsky), keeping its direction; ends that lie inside stay exactly as
// given. False when nothing of it lies inside or an end is not finite.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double left, double top,
                 double right, double bottom);
