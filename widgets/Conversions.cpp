// Colour values are stored red-lowest, the way the board's drawing keeps them.
#include "widgets/Conversions.h"

namespace zarvel {

QRgb toQRgb(Colour colour) {
  const auto value = static_cast<std::uint32_t>(colour);
  return qRgb(static_cast<int>(value & 0xFFU), static_cast<int>((value >> 8U) & 0xFFU),
              static_cast<int>((value >> 16U) & 0xFFU));
}

Colour fromQRgb(QRgb rgb) {
  return static_cast<Colour>(static_cast<std::uint32_t>(qRed(rgb)) |
                             (static_cast<std::uint32_t>(qGreen(rgb)) << 8U) |
                             (static_cast<std::uint32_t>(qBlue(rgb)) << 16U));
}

}  // namespace zarvel
