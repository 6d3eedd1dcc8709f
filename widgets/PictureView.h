// A widget that shows a Picture edge to edge. It owns no state of the game: the
// picture does, and the widget repaints whenever the picture changes.
#pragma once

#include <QImage>
#include <QWidget>

#include "engine/Picture.h"

namespace zarvel {

// Loads an image resource into `picture` as its own picture; a missing or mis-sized
// resource leaves the picture's plain field.
void loadOwnPicture(Picture& picture, const QString& resource);

class PictureView : public QWidget {
 public:
  PictureView(Picture& picture, QWidget* parent);
  PictureView(const PictureView&) = delete;
  PictureView& operator=(const PictureView&) = delete;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Picture& picture_;
  QImage image_;
  bool stale_ = true;
};

}  // namespace zarvel
