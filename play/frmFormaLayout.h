// Where everything sits on the main window's client area, in pixels from its top-left
// corner. Plain numbers, so the pointer rules of the arrow bars can use them too.
#pragma once

#include <array>

#include "engine/Geometry.h"

namespace zarvel::frmFormaLayout {

inline constexpr int kClientWidth = 555;
inline constexpr int kClientHeight = 466;

inline constexpr Box kTitle{0, 0, 553, 73};
inline constexpr int kTitleMargin = 3;  // above the banner's text

// picStrelki(0..3): above, right of, below and left of the board.
inline constexpr std::array<Box, kBars> kPicStrelki{{
    {48, 80, 281, 39},
    {330, 120, 39, 281},
    {48, 402, 281, 39},
    {8, 120, 39, 281},
}};
inline constexpr Box kPicPole{48, 120, 281, 281};
inline constexpr Box kPicTrol{376, 152, 168, 281};
inline constexpr Box kPicStrelka{0, 80, 312, 39};     // hidden source of the arrow tiles
inline constexpr Box kPicKletka{104, 112, 168, 281};  // hidden source of the caged mascot

// Labels; the two number labels take the width of their text.
inline constexpr Box kLabel2{368, 80, 108, 24};
inline constexpr Box kLblNmRasklada{476, 80, 0, 24};
inline constexpr Box kLblTxtNmHod{368, 104, 124, 24};
inline constexpr Box kLblNmHod{496, 104, 0, 24};
inline constexpr double kLabelPoints = 13.5;

// The leave poll only has to notice that the pointer has left a bar. Every tick wakes the
// program and asks the window system where the pointer is: at 1 ms that costs several
// percent of a core while the pointer rests on an arrow, at 40 ms about half a percent.
// The bars also bring a tick forward the moment Qt sees the pointer leave them, so the
// highlight still goes at once.
inline constexpr int kLeavePollMs = 40;

}  // namespace zarvel::frmFormaLayout
