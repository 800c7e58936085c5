#include "geometry/TriangleApex.h"
