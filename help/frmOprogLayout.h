// Where everything sits on the About box, in pixels from its client area's top-left
// corner, and the flag it draws at load. Plain numbers, so tests can check them.
#pragma once

#include "engine/Geometry.h"
#include "engine/Picture.h"

namespace zarvel::frmOprogLayout {

inline constexpr int kClientWidth = 356;
inline constexpr int kClientHeight = 209;
inline constexpr double kFontPoints = 12;

inline constexpr Box kImage1{16, 8, 71, 126};
inline constexpr Box kLabel2_3{104, 8, 220, 20};
inline constexpr Box kLabel2_4{104, 32, 242, 20};
inline constexpr Box kLabel2_5{104, 56, 48, 20};
inline constexpr Box kLabel1{152, 56, 183, 20};
inline constexpr Colour kLinkColour = 0xC00000;  // dark blue

// The engraved separator: a dark line over a light one.
inline constexpr int kLineLeft = 8;
inline constexpr int kLineRight = 344;  // included
inline constexpr int kLine1Top = 152;
inline constexpr int kLine2Top = 153;

// Picture1 keeps its drawing inside a sunken two-pixel border, like any framed picture
// area, so what it can show is smaller than the area itself.
inline constexpr Box kPicture1{8, 160, 80, 45};
inline constexpr int kPicture1Border = 2;
inline constexpr int kPicture1InnerWidth = kPicture1.width - 2 * kPicture1Border;
inline constexpr int kPicture1InnerHeight = kPicture1.height - 2 * kPicture1Border;
inline constexpr Colour kPicture1Ground = 0xFFFFFF;

inline constexpr Box kOK{256, 164, 89, 33};

// The white-blue-red flag: blue and red bands over the white ground, drawn at load.
inline void drawFlag(Picture& picture1) {
  picture1.fillBox(0, 15, 79, 30, 0xFF0000);  // blue
  picture1.fillBox(0, 31, 79, 45, 0x0000FF);  // red
}

}  // namespace zarvel::frmOprogLayout
