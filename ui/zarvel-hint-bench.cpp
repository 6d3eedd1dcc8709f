// Times the hint as a player meets it: from the H key to the first blink of an arrow, on
// the real main window (offscreen), over a spread of deals. Prints the median, the 90th
// and 99th percentiles and the longest time.
//   zarvel-hint-bench [COUNT]   (default 300 deals, spread evenly over all layouts)
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/Declare.h"
#include "engine/NewGameM.h"
#include "ui/MainM.h"
#include "ui/QtServices.h"
#include "ui/frmForma.h"

namespace {

using namespace zarvel;

bool barsPlain(frmForma& form, const std::vector<std::vector<Colour>>& plain) {
  for (int bar = 0; bar < kBars; ++bar)
    if (form.picStrelki(bar).pixels() != plain[static_cast<std::size_t>(bar)]) return false;
  return true;
}

double percentile(const std::vector<double>& sorted, double share) {
  const auto at = static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1) + 0.5);
  return sorted[std::min(at, sorted.size() - 1)];
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  setUpApplication();
  Declare declare;
  fillCveta(declare);
  QtServices services(declare);
  frmForma form(declare, services);
  services.setOwner(&form);
  form.show();
  QApplication::processEvents();

  std::vector<double> times;
  for (int i = 0; i < count; ++i) {
    const auto layout = static_cast<std::int32_t>(static_cast<long long>(i) * kLayoutCount / count);
    chooseRasklad(declare, form, layout);
    QApplication::processEvents();
    std::vector<std::vector<Colour>> plain;
    for (int bar = 0; bar < kBars; ++bar) plain.push_back(form.picStrelki(bar).pixels());
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(&form, Qt::Key_H);
    while (barsPlain(form, plain)) {
      if (clock.elapsed() > 10000) {
        std::fprintf(stderr, "layout %d: no blink within 10 s\n", layout);
        return 1;
      }
      // A short sleep, not a spin: the solver's thread must have the machine to itself.
      QThread::msleep(1);
      QApplication::processEvents();
    }
    times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  std::printf(
      "hint, key to first blink, %d deals: median %.0f ms, p90 %.0f ms, p99 %.0f ms, "
      "max %.0f ms\n",
      count, percentile(times, 0.5), percentile(times, 0.9), percentile(times, 0.99), times.back());
  return 0;
}
