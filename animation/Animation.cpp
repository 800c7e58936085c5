#include "animation/Animation.h"

Animation::Animation(WindowVariables& vars, Host& host, Canvas& canvas)
    : vars_(vars), host_(host), canvas_(canvas), state_(std::make_unique<AnimationState>()) {}

Animation::~Animation() = default;
