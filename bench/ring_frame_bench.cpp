// Busy-ring frame benchmark: the installer's ring at 42 % on a 700 x 350
// layered form. Prints the cost of one frame as the ring turns (render,
// compose, present), of a percentage change, of a hundred changes and one
// present with the ring drawn at each change against drawn at the present,
// and of percentage text in a visible glow with its halo kept against the
// letters alone.
// Run under Wine by bench/ring_frame_bench.sh.
#include <windows.h>

#include <cstdio>

#include "bench/BenchSupport.h"
#include "installer/MainWindow.h"
#include "toolkit/controls/ProgressIndicator.h"
#include "toolkit/controls/ProgressPainter.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/MemoryCanvas.h"
#include "toolkit/core/StyledText.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/ToolkitStartup.h"

namespace {

constexpr int kRounds = 100;

template <typename Step>
double msEach(Step step) {
  return talvek::bench::timeRounds(kRounds, step) / kRounds;
}

int run() {
  talvek::toolkitStartup();
  talvek::Form form;
  talvek::bench::createBenchForm(form);
  talvek::ProgressIndicator ring;
  if (!ring.create(form.objectId(), talvek::main_window::ringArea(), talvek::main_window::ringOptions())) {
    std::printf("could not create the ring\n");
    return 1;
  }
  ring.position(42.0f);
  talvek::bench::pumpFor(200);

  const double frameMs = msEach([&](int) { ring.redraw(); });
  const double changedMs = msEach([&](int i) { ring.position(static_cast<float>(i % 100)); });
  const double sameMs = msEach([&](int) { ring.position(42.0f); });
  // What the extraction does between two turns of the window, at most.
  constexpr int kChanges = 100;
  constexpr int kSweeps = 10;
  const double drawnEachMs = talvek::bench::timeRounds(kSweeps, [&](int) {
    for (int percent = 0; percent < kChanges; ++percent) {
      ring.position(static_cast<float>(percent));
      ring.redraw();
    }
    form.present({});
  }) / kSweeps;
  const double drawnAtPresentMs = talvek::bench::timeRounds(kSweeps, [&](int) {
    for (int percent = 0; percent < kChanges; ++percent) ring.position(static_cast<float>(percent));
    form.present({});
  }) / kSweeps;
  talvek::MemoryCanvas canvas(200, 200);
  // The ring's own glow colour is transparent, so it has no halo; the kept
  // halo is timed with a visible glow in the ring's font.
  talvek::TextStyleDescription glowing = *talvek::main_window::ringOptions().textStyle;
  glowing.styleFlags |= talvek::style_flag::kGlow;
  glowing.glowColor = 0xFF00FF00;
  const talvek::TextStyle textStyle = talvek::TextStyle::build(glowing);
  const double textMs = msEach([&](int) {
    talvek::drawStyledText(canvas.graphics(), textStyle, u"42%", Gdiplus::RectF(0, 0, 200, 201), true);
    talvek::gdip::GdipFlush(canvas.graphics(), Gdiplus::FlushIntentionSync);
  });
  const double plainMs = msEach([&](int) {
    talvek::drawTextInColor(canvas.graphics(), textStyle, u"42%", Gdiplus::RectF(0, 0, 200, 201), 0xFFFFFFFF);
    talvek::gdip::GdipFlush(canvas.graphics(), Gdiplus::FlushIntentionSync);
  });
  std::printf("busy ring frame (a turn: rendered, composed, presented): %.2f ms; target <= 2 ms\n", frameMs);
  std::printf("a new percentage (drawn at the next present): %.3f ms; the same percentage set again: %.3f ms\n",
              changedMs, sameMs);
  std::printf("%d percentages and one present: the ring drawn at each %.1f ms, at the present %.1f ms (%.3f)\n",
              kChanges, drawnEachMs, drawnAtPresentMs, drawnAtPresentMs / drawnEachMs);
  std::printf("percentage text in a visible glow, kept halo: %.2f ms; letters alone: %.2f ms\n", textMs, plainMs);
  std::fflush(stdout);
  return 0;
}

}  // namespace

int main() { return talvek::bench::runGuarded(run); }
