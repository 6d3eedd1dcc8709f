// A widget that shows a Picture edge to edge. It owns no state of the game: the
// picture does, and the widget repaints whenever the picture changes.
#pragma once

#include <QIcon>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "engine/FineArt.h"
#include "engine/Picture.h"

namespace zarvel {

// Loads an image resource into `picture` as its own picture; a missing or mis-sized
// resource leaves the picture's plain field.
void loadOwnPicture(Picture& picture, const QString& resource);

// The game's one icon, the quarter-circle bands, at every size it is drawn: the 16-colour
// picture at 32 pixels, the same bands from 16 to 256.
QIcon gameIcon();

// A picture whose tiles the game copies whole onto another: the arrow strip onto a bar, the
// caged gnome onto the free one. No tiles means the whole picture is one tile.
struct CopySource {
  QString resource;
  std::vector<QRect> tiles;
};

class PictureView : public QWidget {
 public:
  PictureView(Picture& picture, QWidget* parent);
  PictureView(const PictureView&) = delete;
  PictureView& operator=(const PictureView&) = delete;

  // Lets the view show its picture from the art drawn at twice the size (the resources'
  // "@2x" files) on a screen of more than one device pixel a pixel. `resource` is the
  // picture's own picture; the game copies tiles of `sources` whole onto `cells` (no cells:
  // the whole picture is one). The files are read the first time such a screen shows the
  // view, or fineImage() is asked: at one device pixel a pixel they would only take memory.
  void setFineArt(const QString& resource, std::vector<QRect> cells = {},
                  std::vector<CopySource> sources = {});

  // The drawing at twice the size, derived from the picture every time it changes: the large
  // own picture, with the large tile wherever a cell holds exactly a tile of a source, and
  // any other pixel that differs from the own picture as a square of its colour. The game's
  // picture stays the only state; a null image when the view has no fine art.
  QImage fineImage();

  // Paints over the picture on the screen after it, never into it: the picture stays what
  // the game reads. No painter function: the picture alone.
  void setOverlay(std::function<void(QPainter&)> paint) { overlay_ = std::move(paint); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // What setFineArt names, until it is read.
  struct FineArtFiles {
    QString resource;
    std::vector<QRect> cells;
    std::vector<CopySource> sources;
  };
  // A picture at both sizes, and its tiles at the small one; no large drawing when the
  // resource has none of twice the size.
  static FineArt loadArt(const QString& resource, const std::vector<QRect>& tiles);
  void loadFineArt();
  const QImage& image();

  Picture& picture_;
  QImage image_;
  bool stale_ = true;
  std::optional<FineArtFiles> fineFiles_;
  FineArt own_;
  std::vector<FineArt> sources_;
  QImage fine_;
  bool fineStale_ = true;
  std::function<void(QPainter&)> overlay_;
};

}  // namespace zarvel
