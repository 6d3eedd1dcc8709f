// A screen for engine tests: real pictures, recorded labels and victory windows.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/Declare.h"
#include "engine/GameScreen.h"
#include "engine/NewGameM.h"

namespace zarvel::testing {

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kGround = 0xE0E0E0;
inline constexpr Colour kGnome = 0x123456;  // stands for the free mascot's picture
inline constexpr Colour kCage = 0x654321;   // stands for the caged picture

class FakeScreen : public GameScreen {
 public:
  FakeScreen() {
    kletka_.setOwnPicture(std::vector<Colour>(168 * 281, kCage));
    trol_.setOwnPicture(std::vector<Colour>(168 * 281, kGnome));
  }
  Picture& picPole() override { return pole_; }
  Picture& PicTrol() override { return trol_; }
  const Picture& picKletka() override { return kletka_; }
  void showNmRasklada(std::int32_t value) override { lblNmRasklada = value; }
  void showNmHod(std::int32_t value) override { lblNmHod = value; }
  void showVictory() override {
    ++victories;
    movesShownAtVictory = lblNmHod;
    mascotCagedAtVictory = trol_.point(0, 0) == kCage;
    if (duringVictory) duringVictory();
  }

  bool caged() const { return trol_.point(100, 100) == kCage; }

  std::int32_t lblNmRasklada = -1;
  std::int32_t lblNmHod = -1;
  int victories = 0;
  std::int32_t movesShownAtVictory = -1;
  bool mascotCagedAtVictory = false;
  std::function<void()> duringVictory;  // what comes while the victory window is open

 private:
  Picture pole_{kBoardPixels, kBoardPixels, kBlack};
  Picture trol_{168, 281, kGround};
  Picture kletka_{168, 281, kGround};
};

// The 49 cell colours, column by column.
inline std::vector<Colour> cells(const Picture& board) {
  std::vector<Colour> result;
  for (int c = 0; c < kLines; ++c)
    for (int r = 0; r < kLines; ++r) result.push_back(board.point(cellOrigin(c), cellOrigin(r)));
  return result;
}

// A Declare as start-up leaves it, before the first deal.
inline Declare startedDeclare() {
  Declare declare;
  fillCveta(declare);
  return declare;
}

// The 49 cell colours of layout `layoutNumber` as a fresh deal paints them.
inline std::vector<Colour> dealtCells(std::int32_t layoutNumber) {
  Declare declare = startedDeclare();
  FakeScreen screen;
  declare.NmRasklada = layoutNumber;
  NewRasklad(declare, screen);
  return cells(screen.picPole());
}

}  // namespace zarvel::testing
