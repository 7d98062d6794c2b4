// Control redraw benchmark: on a 700 x 500 layered form with a full-size
// background panel, 1,000 redraws of one 30 x 30 image button against
// 1,000 rebuilds of the whole form canvas, in one run. A control redraw
// only recomposes its own rectangle, so the ratio should stay far below 1.
// Run under Wine by bench/control_redraw_bench.sh.
#include <windows.h>

#include <cstdio>

#include "bench/BenchSupport.h"
#include "toolkit/controls/ImageButton.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/core/EmbeddedBlob.h"
#include "toolkit/core/ToolkitStartup.h"

TALVEK_DECLARE_BLOB(talvek_bench_button);

namespace {

using talvek::bench::timeRounds;

constexpr int kRounds = 1000;

int run() {
  talvek::toolkitStartup();
  talvek::Form form;
  talvek::bench::createBenchForm(form);
  talvek::Panel background;
  background.create(form.objectId(), talvek::Rect{0, 0, 700, 500}, 0xFFF4F4F4);
  talvek::ImageButton button;
  if (!button.create(form.objectId(), talvek::Rect{600, 10, 30, 30}, TALVEK_BLOB(talvek_bench_button))) {
    std::printf("could not create the button\n");
    return 1;
  }
  talvek::bench::pumpFor(200);

  const double buttonMs = timeRounds(kRounds, [&](int) { button.redraw(); });
  const double formMs = timeRounds(kRounds, [&](int) { form.repaintAll(); });
  std::printf("%d redraws of a 30x30 image button: %.1f ms (%.3f ms each)\n", kRounds, buttonMs, buttonMs / kRounds);
  std::printf("%d full repaints of the 700x500 form: %.1f ms (%.3f ms each)\n", kRounds, formMs, formMs / kRounds);
  std::printf("button redraw / form repaint ratio: %.4f\n", formMs > 0 ? buttonMs / formMs : 0.0);
  return 0;
}

}  // namespace

int main() { return talvek::bench::runGuarded(run); }
