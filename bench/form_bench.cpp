// Form benchmark: CPU time of an idle layered form over ten seconds, and
// one full canvas rebuild plus present at 700 x 500 against a present
// alone. Run under Wine by bench/form_bench.sh.
#include <windows.h>

#include <cstdio>

#include "bench/BenchSupport.h"
#include "toolkit/core/ToolkitStartup.h"
#include "toolkit/core/WindowShadow.h"

namespace {

using talvek::bench::nowMs;
using talvek::bench::pumpFor;

double processCpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

int run() {
  talvek::toolkitStartup();
  talvek::Form form;
  talvek::bench::createBenchForm(form);

  constexpr int kRounds = 40;
  double start = nowMs();
  for (int i = 0; i < kRounds; ++i) form.repaintAll();
  const double rebuildMs = (nowMs() - start) / kRounds;
  start = nowMs();
  for (int i = 0; i < kRounds; ++i) form.present({});
  const double presentMs = (nowMs() - start) / kRounds;

  talvek::MemoryCanvas scratch(700, 500);
  start = nowMs();
  for (int i = 0; i < kRounds; ++i) talvek::drawWindowShadow(scratch.graphics(), 0, 0, 700, 500, 0, 1);
  const double shadowMs = (nowMs() - start) / kRounds;

  const double cpuBefore = processCpuMs(), wallBefore = nowMs();
  pumpFor(10000);
  const double idleCpuMs = processCpuMs() - cpuBefore, idleWallMs = nowMs() - wallBefore;

  std::printf("rebuild+present 700x500: %.2f ms; present alone: %.2f ms; ratio %.1f\n", rebuildMs, presentMs,
              presentMs > 0 ? rebuildMs / presentMs : 0.0);
  std::printf("of which the shadow ring: %.2f ms (%.0f%%)\n", shadowMs, rebuildMs > 0 ? 100.0 * shadowMs / rebuildMs : 0.0);
  std::printf("idle form: %.0f ms CPU over %.0f ms; ratio %.4f\n", idleCpuMs, idleWallMs,
              idleWallMs > 0 ? idleCpuMs / idleWallMs : 0.0);
  return 0;
}

}  // namespace

int main() { return talvek::bench::runGuarded(run); }
