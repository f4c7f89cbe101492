#pragma once

// The build sheet of a design (« Fiche de montage »): one page that a hobbyist takes to the bench,
// with the circuit diagram and the chosen values written on it, the results, and the parts list.

#include "calc/caption_checks.h"

#include <QDate>
#include <QPageSize>
#include <QString>

namespace ui {

// A result as the main window shows it, and whether it belongs to the values on the sheet.
struct SheetResult {
    QString caption;
    calc::CaptionCheck::State state = calc::CaptionCheck::State::Current;
    QString reason; // why it is marked, in the main window's words; empty when current
};

// Everything the sheet prints, as the main window shows it at the moment it is asked for.
struct DesignSheet {
    // Value and unit texts of the boxes, unconverted ("26", "KOhms").
    QString r1, r1Unit, c1, c1Unit, c2, c2Unit;
    QString voltage;
    SheetResult centreFrequency, halfWidth, lowerEdge, upperEdge;
    // The exact R1 for a trimmer RV1 that the component search gave with the design it applied
    // ("3,367 KOhms"); empty when the design on screen is not one the search applied.
    QString trimmerR1;
    QString programName, programVersion;
    QDate date;
};

// The paper of the user's locale (LC_PAPER): Letter where it is Letter, A4 everywhere else.
QPageSize LocalePaperSize();

// "decodeur-567-1748,252Hz.pdf", with the centre frequency as shown; without it while that figure
// does not belong to the values on the sheet.
QString DefaultFileName(const DesignSheet& sheet);

} // namespace ui
