// makeart: draws every picture the game ships and writes them as PNG files, each also at
// twice its size with Qt's "@2x" suffix; the window icon also at every menu size, as a
// scalable drawing and as an ICO file for Windows.
//
// Usage: makeart OUTPUT_DIR
//
// The pictures are drawn from code rather than kept only as binaries so that they can be
// tweaked and regenerated reproducibly; each family of pictures has its own file
// (makeartArrows, makeartGnome, makeartCage, makeartSymbols, makeartIcons) and they share
// makeartPaint.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QString>

#include <cstdio>
#include <functional>

#include "assets/tools/makeart.h"

namespace {

using namespace makeart;

bool save(const QImage& img, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name);
  QImageWriter w(path);
  if (!w.write(img)) {
    std::fprintf(stderr, "makeart: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(w.errorString()));
    return false;
  }
  std::printf("wrote %s (%dx%d)\n", qPrintable(path), img.width(), img.height());
  return true;
}

bool saveBytes(const QByteArray& bytes, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
      !file.flush()) {
    std::fprintf(stderr, "makeart: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return false;
  }
  std::printf("wrote %s (%lld bytes)\n", qPrintable(path), static_cast<long long>(bytes.size()));
  return true;
}

// A picture at every scale: "name.png" and "name@2x.png".
bool saveScaled(const std::function<QImage(int)>& draw, const QDir& dir, const QString& name) {
  bool ok = true;
  for (const int scale : kScales)
    ok &= save(draw(scale), dir,
               name + (scale == 1 ? QString() : QString("@%1x").arg(scale)) + ".png");
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // image format plugins need it
  if (argc != 2) {
    std::fprintf(stderr, "usage: makeart OUTPUT_DIR\n");
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  const QDir icons(dir.filePath("icons"));
  if (!QDir().mkpath(icons.path())) {
    std::fprintf(stderr, "makeart: cannot create %s\n", qPrintable(icons.path()));
    return 1;
  }

  bool ok = true;
  for (int d = 0; d < 4; ++d) {
    ok &= saveScaled([d](int scale) { return arrowBar(static_cast<Dir>(d), scale); }, dir,
                     QString("picStrelki%1").arg(d));
  }
  ok &= saveScaled(arrowStrip, dir, "picStrelka");
  ok &= saveScaled(gnomePicture, dir, "PicTrol");
  ok &= saveScaled(cagePicture, dir, "picKletka");
  ok &= saveScaled(aboutPicture, dir, "Image1");
  ok &= saveScaled(symbolStrip, dir, "symbols");

  // One icon everywhere: the 16-colour picture at 32 pixels, the same bands at the others.
  const QImage icon = windowIcon();
  ok &= save(icon, dir, "zarvel.png");
  std::vector<QImage> sizes;
  for (const int size : kIconSizes) {
    sizes.push_back(size == icon.width() ? icon : bandsIcon(size));
    ok &= save(sizes.back(), icons, QString("%1x%1.png").arg(size));
  }
  for (const int size : kWebIconSizes) {
    ok &= save(bandsIcon(size), icons, QString("%1x%1.png").arg(size));
  }
  ok &= save(maskableIcon(512), icons, "maskable-512x512.png");
  ok &= saveBytes(bandsSvg(), icons, "scalable.svg");
  ok &= saveBytes(windowsIcon(icon, sizes), dir, "zarvel.ico");
  return ok ? 0 : 1;
}
