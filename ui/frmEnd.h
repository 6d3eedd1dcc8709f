// The victory window: "ПОБЕДА!!!" in green letters with a grey shadow, jumping up and
// down ten times a second until the player closes it.
#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <vector>

#include "engine/Rnd.h"
#include "widgets/SunkenPanel.h"

class QPushButton;

namespace zarvel {

// Picture1: a sunken area that keeps what was drawn in it.
class VictoryArea : public SunkenPanel {
 public:
  explicit VictoryArea(QWidget* parent);
  QImage& drawing() { return drawing_; }
  void resizeDrawing();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage drawing_;
};

class frmEnd : public QDialog {
 public:
  frmEnd(QWidget* owner, Rnd& rnd);

  VictoryArea* Picture1() const { return picture1_; }
  QTimer& Timer1() { return timer1_; }
  QPushButton* OK() const { return ok_; }
  // Widths of the letters of TekstPobedy in the area's font, in pixels.
  const std::vector<double>& letterWidths() const { return letterWidths_; }

  // One tick of Timer1: a new frame.
  void Timer1_Timer();

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void load();

  Rnd& rnd_;
  VictoryArea* picture1_ = nullptr;
  QPushButton* ok_ = nullptr;
  QTimer timer1_;
  QString TekstPobedy;
  std::vector<double> letterWidths_;
};

}  // namespace zarvel
