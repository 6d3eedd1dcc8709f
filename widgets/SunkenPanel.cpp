// The sunken border, drawn the way the classic desktop draws a sunken client edge.
#include "widgets/SunkenPanel.h"

#include <qdrawutil.h>
#include <QPainter>

namespace zarvel {

SunkenPanel::SunkenPanel(QWidget* parent) : QWidget(parent) {
  setContentsMargins(kBorder, kBorder, kBorder, kBorder);
}

void SunkenPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QPalette colours = palette();
  // Outer edge: button shadow over highlight; inner edge: dark shadow over light.
  colours.setColor(QPalette::Dark, QColor(128, 128, 128));
  colours.setColor(QPalette::Shadow, Qt::black);
  colours.setColor(QPalette::Light, Qt::white);
  colours.setColor(QPalette::Midlight, colours.color(QPalette::Button));
  qDrawWinPanel(&painter, rect(), colours, true, nullptr);
}

}  // namespace zarvel
