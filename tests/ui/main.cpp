// Runs the widget tests inside one QApplication with the game's Russian translations.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/MainM.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zarvel::setUpApplication();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
