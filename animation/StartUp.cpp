#include "animation/Animation.h"

void Animation::StartUp() {
  // The start-up sequence goes here.
}
