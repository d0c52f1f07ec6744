#pragma once
// Reading the move queue back as (layer, quarter turns) and playing it on Stickers the
// way the turn set-up does: shared by the solver suites.

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>

#include "cube/move.h"
#include "cube/movequeue.h"
#include "cube/turns.h"

namespace queuetest {

// The quarter turns a stored angle stands for; the angle must be an exact multiple of π/2.
inline int QuartersOf(float angle) { return static_cast<int>(std::lround(angle / static_cast<double>(Pi / 2))); }

// The queue as a list of {layer, quarter turns}.
template <typename Moves>
Moves QueuedAs() {
  Moves out;
  EXPECT_EQ(MoveLayers.size(), static_cast<std::size_t>(MoveCount));
  EXPECT_EQ(MoveAngles.size(), static_cast<std::size_t>(MoveCount));
  for (int i = 0; i < MoveCount; ++i) out.push_back({MoveLayers[i], QuartersOf(MoveAngles[i])});
  return out;
}

// One move as the animation plays it: direction is the sign of the angle, a half turn
// (|angle| > 3) is the quarter turn twice.
inline void PlayAngle(int layer, float angle) {
  const int direction = angle > 0 ? 1 : -1;
  QuarterTurn(layer, direction);
  if (std::fabs(angle) > 3.0f) QuarterTurn(layer, direction);
}

inline void PlayQueue() {
  for (int i = 0; i < MoveCount; ++i) PlayAngle(MoveLayers[i], MoveAngles[i]);
}

}  // namespace queuetest
