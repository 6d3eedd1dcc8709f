// The zarvel executable.
#include <QApplication>

#include "engine/Declare.h"
#include "ui/MainM.h"
#include "ui/QtServices.h"
#include "ui/frmForma.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  zarvel::setUpApplication();
  zarvel::Declare declare;
  zarvel::QtServices services(declare);
  zarvel::frmForma form(declare, services);
  services.setOwner(&form);
  zarvel::startUp(declare, form, zarvel::placeFacts(QCoreApplication::applicationDirPath()));
  return QApplication::exec();
}
