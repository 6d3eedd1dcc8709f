// A picture area's standard sunken border: two pixels, dark above and to the left, light
// below and to the right. Children and drawings go inside it (its contents rectangle).
#pragma once

#include <QWidget>

namespace zarvel {

class SunkenPanel : public QWidget {
 public:
  static constexpr int kBorder = 2;
  explicit SunkenPanel(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zarvel
