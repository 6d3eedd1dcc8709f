// Start-up: program folder, main window, colour table, first deal.
#pragma once

#include <QString>

#include "ui/ProgramFolder.h"

namespace zarvel {

class frmForma;
struct Declare;

// What the platform tells about the places the program may use; `programFolder` is the
// executable's folder as Qt reports it.
PlaceFacts placeFacts(const QString& programFolder);

// Runs the start-up steps in their order: the folders, the main window, the colour table,
// the first deal. Returns with the main window shown and the first game dealt.
void startUp(Declare& declare, frmForma& form, const PlaceFacts& facts);

// Prepares the application before any window exists: Qt's own Russian texts, so
// standard buttons read «Да», «Нет», «Отмена», and the font substitutes.
void setUpApplication();

}  // namespace zarvel
