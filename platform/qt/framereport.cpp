#include "platform/qt/framereport.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/qt/tornelo.h"

namespace {

constexpr const char* ReportVariable = "TORNELO_FRAME_REPORT";

int ReportFile = -1;
bool Looked = false;
unsigned long long FramesShown = 0;
unsigned long long TicksRun = 0;

// The report's file, opened when first asked for; false without one.
bool Reporting() {
  if (!Looked) {
    Looked = true;
    const char* path = std::getenv(ReportVariable);
    if (path && *path) {
      ReportFile = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (ReportFile < 0)
        std::fprintf(stderr, "tornelo: cannot write the frame report %s: %s\n", path, std::strerror(errno));
    }
  }
  return ReportFile >= 0;
}

// One write of the whole line at the start of the file. The counts only grow, so a
// line is never shorter than the one it replaces.
void WriteReport() {
  char line[64];
  const bool running = Tornelo && Tornelo->Timer1.isActive();
  const int length = std::snprintf(line, sizeof line, "%llu %llu %d\n", FramesShown, TicksRun, running ? 1 : 0);
  if (length <= 0) return;
  const ssize_t written = ::pwrite(ReportFile, line, static_cast<size_t>(length), 0);
  (void)written;   // a report that cannot be written only leaves the test waiting
}

}  // namespace

void ReportFrameShown() {
  if (!Reporting()) return;
  ++FramesShown;
  WriteReport();
}

void ReportTick() {
  if (!Reporting()) return;
  ++TicksRun;
  WriteReport();
}

void ReportTimer() {
  if (Reporting()) WriteReport();
}
