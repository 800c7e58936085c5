#include "animation/Animation.h"

Animation::Animation(WindowVariables& vars, FrontEnd& frontEnd, Canvas& canvas)
    : vars_(vars), frontEnd_(frontEnd), canvas_(canvas), state_(std::make_unique<AnimationState>()) {}

Animation::~Animation() = default;
