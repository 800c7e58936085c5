#include "animation/Animation.h"

void Animation::Run() {
  // The animation loop goes here.
}
