#include "cube/movequeue.h"

#include <numbers>

std::vector<int32_t> MoveLayers;
std::vector<float> MoveAngles;
int32_t MoveCount = 0;
int32_t MovePos = 0;

void AddMove(int layer, int quarterTurns) {
  MoveCount += 1;
  MoveLayers.resize(MoveCount);
  MoveAngles.resize(MoveCount);
  MoveLayers[MoveCount - 1] = layer;
  // Formed in higher precision, stored as a 32-bit float: ±1.5707964 or ±3.1415927.
  MoveAngles[MoveCount - 1] = static_cast<float>(quarterTurns * (std::numbers::pi_v<long double> / 2));
}

void ClearMoves() {
  MoveCount = 0;
  MoveLayers.clear();
  MoveAngles.clear();
}
