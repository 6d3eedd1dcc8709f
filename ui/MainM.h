// Start-up: program folder, main window, colour table, first deal.
#pragma once

#include <QString>

namespace zarvel {

class frmForma;
struct Declare;

// Runs the start-up steps in their order; `reportedFolder` is the executable's folder
// as Qt reports it. Returns with the main window shown and the first game dealt.
void startUp(Declare& declare, frmForma& form, const QString& reportedFolder);

// Prepares the application before any window exists: Qt's own Russian texts, so
// standard buttons read «Да», «Нет», «Отмена», and the font substitutes.
void setUpApplication();

}  // namespace zarvel
