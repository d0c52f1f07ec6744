#include "cube/movequeue.h"

std::vector<int32_t> MoveLayers;
std::vector<float> MoveAngles;
int32_t MoveCount = 0;
int32_t MovePos = 0;

void AddMove(int layer, int quarterTurns) {
  MoveCount += 1;
  MoveLayers.resize(MoveCount);
  MoveAngles.resize(MoveCount);
  MoveLayers[MoveCount - 1] = layer;
  MoveAngles[MoveCount - 1] = QuarterTurnsAngle(quarterTurns);
}

void AddMoves(std::span<const Move> moves) {
  for (const Move& m : moves) AddMove(m);
}

void ClearMoves() {
  MoveCount = 0;
  MoveLayers.clear();
  MoveAngles.clear();
}

void RewindMoves() { MovePos = 0; }

bool TakeNextMove(QueuedMove& move) {
  if (MovePos < 0 || MovePos >= MoveCount) return false;
  move = {MoveLayers[MovePos], MoveAngles[MovePos], MovePos == MoveCount - 1};
  ++MovePos;
  return true;
}
