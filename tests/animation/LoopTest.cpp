#include <gtest/gtest.h>

#include "AnimationRig.h"

namespace {

TEST(AnimationLoop, FirstFrameSearchesAgainstTheUnturnedLever) {
  AnimationRig<NullCanvas> rig;
  rig.RunFrames(1);
  ASSERT_EQ(rig.host.frames.size(), 1u);
  EXPECT_EQ(rig.host.frames[0].bestPitchIndex, 3210);
  EXPECT_EQ(rig.host.frames[0].bestLeverIndex, 200);
}

}  // namespace
