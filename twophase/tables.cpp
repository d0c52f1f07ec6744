#include "twophase/tables.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

// The tables as twophase_gentables wrote them, carried in the library (tables_data.S).
extern "C" const unsigned char TwoPhaseTables[];
extern "C" const unsigned char TwoPhaseTablesEnd[];

namespace twophase {

const Tables& ShortSolverTables() {
  static std::once_flag checked;
  std::call_once(checked, [] {
    const Tables* t = reinterpret_cast<const Tables*>(TwoPhaseTables);
    if (static_cast<std::size_t>(TwoPhaseTablesEnd - TwoPhaseTables) != sizeof(Tables) || t->Magic != TablesMagic ||
        t->Size != sizeof(Tables)) {
      // Only a build that mixed the tables of another build can get here.
      std::fprintf(stderr, "twophase: the built-in tables do not match this library\n");
      std::abort();
    }
    BuildMoveCubes();
  });
  return *reinterpret_cast<const Tables*>(TwoPhaseTables);
}

}  // namespace twophase
