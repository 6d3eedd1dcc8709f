// Frames of the victory window.
#include "play/VictoryFrame.h"

#include <cmath>

namespace zarvel {

int roundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double result = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) result += 1.0;
  return static_cast<int>(result);
}

int victoryAreaWidth(double measuredTextWidth) {
  return roundHalfEven(measuredTextWidth + 4.0);
}

int victoryAreaLeft(int clientWidth, int areaWidth) {
  return roundHalfEven((clientWidth - areaWidth) * 0.5);
}

VictoryFrame victoryFrame(Rnd& rnd, const std::vector<double>& letterWidths) {
  VictoryFrame frame;
  for (std::size_t i = 0; i < letterWidths.size(); ++i) {
    frame.Skachki.push_back(rnd.nextBelow(kJumpHeights) * kJumpStep);
  }
  int shadowX = kShadowOffset;
  int faceX = 0;
  for (std::size_t i = 0; i < letterWidths.size(); ++i) {
    const int advance = roundHalfEven(letterWidths[i]);
    frame.shadow.push_back({shadowX, frame.Skachki[i] + kShadowOffset});
    frame.face.push_back({faceX, frame.Skachki[i]});
    shadowX += advance;
    faceX += advance;
  }
  return frame;
}

}  // namespace zarvel
