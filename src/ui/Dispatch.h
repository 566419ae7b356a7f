#pragma once
// The guarded dispatch through which every user action runs: an error raised inside the
// action ends it where it was raised; whatever it had changed stays changed, and the
// error box shows the error's text with its final ".", and its detail lines below.

#include <functional>

#include "ui/Platform.h"

namespace condsim {

// Runs the action; returns false when it ended with an error (already shown).
bool dispatch(Platform& platform, const std::function<void()>& action);

}  // namespace condsim
