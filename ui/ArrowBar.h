// An arrow bar on screen: shows its picture and forwards the pointer to the protocol.
#pragma once

#include <QString>
#include <cstdint>

#include "widgets/PictureView.h"

namespace zarvel {

class ArrowBarPointer;

// The hidden strip of highlighted and pressed arrows that the looks are copied from.
inline const QString kArrowStrip = QStringLiteral(":/assets/picStrelka.png");

class ArrowBar : public PictureView {
 public:
  // Loads the bar's own picture (seven grey arrows) into `picture`.
  ArrowBar(Picture& picture, std::int32_t index, ArrowBarPointer& pointer, QWidget* parent);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::int32_t index_;
  ArrowBarPointer& pointer_;
};

}  // namespace zarvel
