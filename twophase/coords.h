#pragma once
// Ranking of the pieces' arrangements, shared by the coordinates and the generator of
// the tables.

#include <cstdint>

namespace twophase {

constexpr int Binomial(int n, int k) {
  if (k < 0 || k > n) return 0;
  int r = 1;
  for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
  return r;
}

// Lehmer rank of a permutation of 0..N-1 (0 for the identity), and back.
template <int N>
int RankPermutation(const uint8_t* p) {
  int r = 0;
  for (int i = 0; i < N; ++i) {
    int smaller = 0;
    for (int j = i + 1; j < N; ++j) smaller += p[j] < p[i];
    r = r * (N - i) + smaller;
  }
  return r;
}

template <int N>
void UnrankPermutation(int r, uint8_t* p) {
  int digit[N];
  for (int i = N - 1; i >= 0; --i) {
    digit[i] = r % (N - i);
    r /= N - i;
  }
  bool used[N] = {};
  for (int i = 0; i < N; ++i) {
    int k = digit[i];
    for (int v = 0; v < N; ++v) {
      if (used[v]) continue;
      if (k-- == 0) {
        p[i] = static_cast<uint8_t>(v);
        used[v] = true;
        break;
      }
    }
  }
}

// Which places hold the middle-layer edges (8..11), ranked so that places 8..11 give 0.
inline int RankSlice(const uint8_t* ep) {
  int s = 0, found = 0;
  for (int j = 11; j >= 0; --j)
    if (ep[j] >= 8) s += Binomial(11 - j, ++found);
  return s;
}

// An edge arrangement with the middle-layer edges at the places of rank s.
inline void UnrankSlice(int s, uint8_t* ep) {
  int left = 4, slice = 8, other = 0;
  for (int j = 0; j < 12; ++j) {
    const int b = Binomial(11 - j, left);
    if (left > 0 && s >= b) {
      s -= b;
      --left;
      ep[j] = static_cast<uint8_t>(slice++);
    } else {
      ep[j] = static_cast<uint8_t>(other++);
    }
  }
}

}  // namespace twophase
