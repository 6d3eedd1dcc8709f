// The pointer protocol of the arrow bars, driven by scripted event sequences.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "play/ArrowBarPointer.h"
#include "play/frmFormaLayout.h"

namespace zarvel {
namespace {

constexpr Colour kPlainColour = 0x111111;
Colour tileColour(int tile) {
  return 0x200000 + tile;
}

enum class Look { Plain, Highlighted, Pressed, Mixed };

class FakeHost : public ArrowBarHost {
 public:
  Point cursorInClient() override { return cursor; }
  void startPoll() override {
    polling = true;
    ++pollStarts;
  }
  void stopPoll() override { polling = false; }
  bool pollRunning() const override { return polling; }
  void makeMove(std::int32_t bar) override { moves.push_back({bar, *tekRjad}); }
  void cursorChanged() override { ++cursorChanges; }

  Point cursor{500, 20};  // far from every bar
  bool polling = false;
  int pollStarts = 0;
  int cursorChanges = 0;
  std::vector<std::pair<int, int>> moves;  // bar, TekRjad at the time of the move
  const std::int32_t* tekRjad = nullptr;
};

class ArrowBarPointerTest : public ::testing::Test {
 protected:
  ArrowBarPointerTest() {
    for (int tile = 0; tile < 8; ++tile)
      strip.fillBox(kSquare * tile, 0, kSquare * tile + kSquare - 1, kSquare - 1, tileColour(tile));
    host.tekRjad = &TekRjad;
  }

  // Client position of a point given in bar `bar`'s own pixels.
  static Point client(int bar, int x, int y) {
    const Box& box = frmFormaLayout::kPicStrelki[static_cast<std::size_t>(bar)];
    return {box.left + x, box.top + y};
  }
  // Bar pixels of the middle of arrow `arrow`, shifted by `off` along the bar.
  static Point onArrow(int bar, int arrow, int off = 0) {
    const int along = kPitch * arrow + 20 + off;
    return bar % 2 == 0 ? Point{along, 19} : Point{19, along};
  }

  void move(int bar, Point at) {
    host.cursor = client(bar, at.x, at.y);
    pointer.mouseMove(bar, at.x, at.y);
  }
  void down(int bar, Point at) {
    host.cursor = client(bar, at.x, at.y);
    pointer.mouseDown(bar, at.x, at.y);
  }
  void up(int bar, Point at) {
    host.cursor = client(bar, at.x, at.y);
    pointer.mouseUp(bar, at.x, at.y);
  }
  void tickWithCursorAt(Point clientPos) {
    host.cursor = clientPos;
    if (host.polling) pointer.timerTick();
  }

  Look look(int bar, int arrow) const {
    const Picture& picture = bars[static_cast<std::size_t>(bar)];
    const int along = kPitch * arrow + 1;
    const Colour first = bar % 2 == 0 ? picture.point(along, 0) : picture.point(0, along);
    for (int a = 0; a < kSquare; ++a)
      for (int b = 0; b < kSquare; ++b) {
        const Colour c = bar % 2 == 0 ? picture.point(along + a, b) : picture.point(b, along + a);
        if (c != first) return Look::Mixed;
      }
    if (first == kPlainColour) return Look::Plain;
    if (first == tileColour(bar)) return Look::Highlighted;
    if (first == tileColour(4 + bar)) return Look::Pressed;
    return Look::Mixed;
  }
  // Every arrow of every bar plain except the ones named.
  bool othersPlain(std::vector<std::pair<int, int>> except) const {
    for (int bar = 0; bar < 4; ++bar)
      for (int arrow = 0; arrow < kLines; ++arrow) {
        const bool named =
            std::find(except.begin(), except.end(), std::pair{bar, arrow}) != except.end();
        if (!named && look(bar, arrow) != Look::Plain) return false;
      }
    return true;
  }

  std::array<Picture, 4> bars{Picture(281, 39, kPlainColour), Picture(39, 281, kPlainColour),
                              Picture(281, 39, kPlainColour), Picture(39, 281, kPlainColour)};
  Picture strip{312, 39, 0};
  std::int32_t TekRjad = 0;
  FakeHost host;
  ArrowBarPointer pointer{bars, strip, TekRjad, host};
};

TEST_F(ArrowBarPointerTest, SegmentIndexTruncatesTowardZero) {
  struct Case {
    int bar, x, y, expected;
  };
  const Case cases[] = {{0, 0, 5, 0},     {0, 39, 5, 0},  {0, 40, 5, 1},  {0, 279, 5, 6},
                        {0, 280, 5, 7},   {0, -1, 5, 0},  {0, -39, 5, 0}, {0, -40, 5, -1},
                        {1, 300, 125, 3}, {3, 5, 280, 7}, {2, 500, 0, 12}};
  for (const Case& c : cases)
    EXPECT_EQ(ArrowBarPointer::segmentIndex(c.bar, c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST_F(ArrowBarPointerTest, HoverHighlightsAndTheFirstTickOutsideClearsIt) {
  EXPECT_FALSE(host.polling);
  move(0, onArrow(0, 0));
  EXPECT_EQ(look(0, 0), Look::Highlighted);
  EXPECT_TRUE(othersPlain({{0, 0}}));
  EXPECT_TRUE(host.polling);
  tickWithCursorAt(client(0, 100, 20));  // still inside: nothing happens
  EXPECT_EQ(look(0, 0), Look::Highlighted);
  tickWithCursorAt({200, 250});  // over the board
  EXPECT_TRUE(othersPlain({}));
  EXPECT_FALSE(host.polling);
  // Back to the same arrow without pressing, and away again.
  move(0, onArrow(0, 0));
  EXPECT_EQ(look(0, 0), Look::Highlighted);
  EXPECT_TRUE(host.polling);
  tickWithCursorAt({200, 250});
  EXPECT_TRUE(othersPlain({}));
}

TEST_F(ArrowBarPointerTest, MovingToAnotherArrowOfAnyBarMovesTheHighlightAtOnce) {
  move(0, onArrow(0, 2));
  move(0, onArrow(0, 3));
  EXPECT_TRUE(othersPlain({{0, 3}}));
  EXPECT_EQ(look(0, 3), Look::Highlighted);
  move(3, onArrow(3, 5));
  EXPECT_TRUE(othersPlain({{3, 5}}));
  EXPECT_EQ(look(3, 5), Look::Highlighted);
  EXPECT_EQ(pointer.TekStorona(), 3);
  EXPECT_EQ(TekRjad, 5);
}

TEST_F(ArrowBarPointerTest, PressAndReleaseOnTheSameArrowMakesOneMove) {
  // A finger moves nowhere before it presses: the press itself takes the arrow under it.
  for (const bool hovered : {true, false}) {
    for (int bar = 0; bar < 4; ++bar) {
      const int arrow = hovered ? 3 : 6 - bar;
      host.moves.clear();
      if (hovered) move(bar, onArrow(bar, arrow));
      down(bar, onArrow(bar, arrow));
      EXPECT_EQ(look(bar, arrow), Look::Pressed);
      EXPECT_TRUE(othersPlain({{bar, arrow}}));
      up(bar, onArrow(bar, arrow, 5));
      ASSERT_EQ(host.moves.size(), 1U) << bar;
      EXPECT_EQ(host.moves[0], (std::pair{bar, arrow}));
      EXPECT_EQ(look(bar, arrow), Look::Highlighted);
      EXPECT_TRUE(host.polling);  // the poll runs on after a release
    }
  }
}

TEST_F(ArrowBarPointerTest, DraggingToAnotherArrowMakesNoMove) {
  move(0, onArrow(0, 3));
  down(0, onArrow(0, 3));
  move(0, onArrow(0, 4));
  EXPECT_EQ(look(0, 3), Look::Highlighted);
  EXPECT_EQ(look(0, 4), Look::Plain);
  up(0, onArrow(0, 4));
  EXPECT_TRUE(host.moves.empty());
  EXPECT_EQ(look(0, 3), Look::Highlighted);
  // The next move over the bar moves the highlight under the pointer.
  move(0, onArrow(0, 4));
  EXPECT_TRUE(othersPlain({{0, 4}}));
}

TEST_F(ArrowBarPointerTest, DragOffAndBackThenReleaseMoves) {
  move(0, onArrow(0, 3));
  down(0, onArrow(0, 3));
  move(0, {140, 100});  // over the board, still the same segment along the bar
  EXPECT_EQ(look(0, 3), Look::Highlighted);
  tickWithCursorAt(client(0, 140, 100));
  EXPECT_EQ(look(0, 3), Look::Highlighted);
  EXPECT_TRUE(host.polling);  // held: the poll keeps running
  move(0, onArrow(0, 3));
  EXPECT_EQ(look(0, 3), Look::Pressed);
  up(0, onArrow(0, 3));
  EXPECT_EQ(host.moves.size(), 1U);
}

TEST_F(ArrowBarPointerTest, ReleaseInTheGapRowBelowTheBarCountsAsInside) {
  move(0, onArrow(0, 3));
  down(0, onArrow(0, 3));
  up(0, {140, 39});  // one pixel below the bar, between bar and board
  EXPECT_EQ(host.moves.size(), 1U);
  // Two pixels below is outside: no move, and the next tick clears the bar.
  down(0, onArrow(0, 3));
  up(0, {140, 40});
  EXPECT_EQ(host.moves.size(), 1U);
  tickWithCursorAt(client(0, 140, 40));
  EXPECT_TRUE(othersPlain({}));
  EXPECT_FALSE(host.polling);
}

TEST_F(ArrowBarPointerTest, TheLastPixelLineIsNoArrow) {
  for (int bar : {0, 1}) {
    const Point last = bar == 0 ? Point{280, 10} : Point{10, 280};
    move(bar, last);
    down(bar, last);
    up(bar, last);
    EXPECT_TRUE(othersPlain({})) << bar;
    EXPECT_TRUE(host.moves.empty()) << bar;
  }
}

TEST_F(ArrowBarPointerTest, ReleaseOutsideTheBarMakesNoMoveAndTheArrowGreysOnTheNextTick) {
  move(1, onArrow(1, 6));
  down(1, onArrow(1, 6));
  up(1, {-30, 250});  // the segment matches, but the pointer is over the board
  EXPECT_TRUE(host.moves.empty());
  tickWithCursorAt(client(1, -30, 250));
  EXPECT_TRUE(othersPlain({}));
}

TEST_F(ArrowBarPointerTest, ASecondButtonsReleaseEndsThePress) {
  move(2, onArrow(2, 1));
  down(2, onArrow(2, 1));
  down(2, onArrow(2, 1));  // another button while the first is held
  up(2, onArrow(2, 1));
  EXPECT_EQ(host.moves.size(), 1U);
  up(2, onArrow(2, 1));  // the first button: nothing more
  EXPECT_EQ(host.moves.size(), 1U);
  EXPECT_FALSE(pointer.Nazhata());
}

TEST_F(ArrowBarPointerTest, IdleDrawsNothingAndHoverStartsThePollOnce) {
  int changes = 0;
  bars[0].setChangeListener([&changes] { ++changes; });
  move(0, onArrow(0, 2));
  move(0, onArrow(0, 2, 3));
  move(0, onArrow(0, 2, -3));
  EXPECT_EQ(changes, 1);  // the same look again repaints nothing
  EXPECT_EQ(host.pollStarts, 1);
}

TEST_F(ArrowBarPointerTest, LeavingTheBarBringsTheNextTickForward) {
  pointer.pointerLeftBar();  // idle: no poll, nothing to do
  EXPECT_TRUE(othersPlain({}));
  move(2, onArrow(2, 4));
  host.cursor = client(2, 140, 39);  // the pixel line just below the bar counts as inside
  pointer.pointerLeftBar();
  EXPECT_EQ(look(2, 4), Look::Highlighted);
  host.cursor = {400, 600};
  pointer.pointerLeftBar();
  EXPECT_TRUE(othersPlain({}));
  EXPECT_FALSE(host.polling);
}

TEST_F(ArrowBarPointerTest, TheInsideTestIncludesBothEndsOfTheBar) {
  move(0, onArrow(0, 6));
  const Box& box = frmFormaLayout::kPicStrelki[0];
  for (Point inside :
       {Point{box.left, box.top}, Point{box.left + box.width, box.top + box.height}}) {
    tickWithCursorAt(inside);
    EXPECT_TRUE(host.polling);
  }
  tickWithCursorAt({box.left + box.width + 1, box.top});
  EXPECT_FALSE(host.polling);
  EXPECT_EQ(pointer.Kursor().x, box.left + box.width + 1);
}

using K = CursorKey;

TEST_F(ArrowBarPointerTest, KeysShowMovePressAndHideTheCursorAndThePollLeavesItAlone) {
  pointer.cursorKey(K::Down);  // the first key only shows the cursor, on column 1 up
  EXPECT_EQ(pointer.cursor(), (Arrow{0, 0}));
  EXPECT_EQ(look(0, 0), Look::Highlighted);
  EXPECT_TRUE(othersPlain({{0, 0}}));
  pointer.cursorKey(K::Left);  // round the corner to row 1 left
  EXPECT_TRUE(othersPlain({{3, 0}}));
  EXPECT_EQ(look(3, 0), Look::Highlighted);
  EXPECT_EQ(host.cursorChanges, 2);
  EXPECT_FALSE(host.polling);
  host.cursor = {200, 250};
  pointer.pointerLeftBar();
  EXPECT_EQ(look(3, 0), Look::Highlighted) << "the leave poll clears only the pointer's";

  pointer.pressKeyDown();
  pointer.cursorKey(K::Down);  // held: the cursor stays
  EXPECT_EQ(look(3, 0), Look::Pressed);
  EXPECT_TRUE(host.moves.empty()) << "the move waits for the key to come up";
  pointer.pressKeyUp();
  pointer.pressKeyUp();  // as the Enter that closed the victory window comes up
  EXPECT_EQ(host.moves, (std::vector<std::pair<int, int>>{{3, 0}}));
  EXPECT_EQ(look(3, 0), Look::Highlighted);

  pointer.hideCursor();
  EXPECT_FALSE(pointer.cursor());
  EXPECT_TRUE(othersPlain({}));
}

TEST_F(ArrowBarPointerTest, ThePointerAndTheKeysHandTheHighlightToEachOther) {
  move(1, onArrow(1, 4));
  pointer.cursorKey(K::Down);  // shows the cursor where the pointer is, and stops the poll
  EXPECT_EQ(pointer.cursor(), (Arrow{1, 4}));
  EXPECT_FALSE(host.polling);
  pointer.cursorKey(K::Down);
  pointer.pressKeyDown();
  EXPECT_EQ(look(1, 5), Look::Pressed);
  move(1, onArrow(1, 2));  // the pointer takes it back, and the key's press with it
  EXPECT_FALSE(pointer.cursor());
  EXPECT_TRUE(othersPlain({{1, 2}}));
  EXPECT_TRUE(host.polling);
  pointer.pressKeyUp();
  EXPECT_TRUE(host.moves.empty());

  // A press after the keys moved the highlight presses the arrow under the pointer.
  pointer.cursorKey(K::Tab);
  pointer.cursorKey(K::Tab);
  EXPECT_TRUE(othersPlain({{3, 2}}));
  down(1, onArrow(1, 2));
  EXPECT_TRUE(othersPlain({{1, 2}}));
  EXPECT_EQ(look(1, 2), Look::Pressed);
  pointer.cursorKey(K::Up);  // while a button is held the keys do nothing
  pointer.pressKeyDown();
  pointer.placeCursor({0, 0});
  EXPECT_TRUE(othersPlain({{1, 2}}));
  up(1, onArrow(1, 2));
  EXPECT_EQ(host.moves, (std::vector<std::pair<int, int>>{{1, 2}}));

  // The hint's blink ends on the cursor; a screen reader's press moves it and makes the move.
  pointer.placeCursor({2, 6});
  pointer.showHintLook(2, 6);
  EXPECT_EQ(look(2, 6), Look::Pressed);
  pointer.endHintLook(2);
  EXPECT_TRUE(othersPlain({{2, 6}}));
  EXPECT_EQ(look(2, 6), Look::Highlighted);
  pointer.pressArrow({0, 1});
  EXPECT_EQ(host.moves.back(), (std::pair{0, 1}));
  EXPECT_EQ(pointer.cursor(), (Arrow{0, 1}));
  EXPECT_TRUE(othersPlain({{0, 1}}));
}

}  // namespace
}  // namespace zarvel
