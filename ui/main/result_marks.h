#pragma once

// How the main window tells the user that a result is not what the boxes say now: the wording of
// the reasons and the texts these marks add to or replace.

#include "calc/caption_checks.h"

#include <QString>

namespace ui {

// What a screen reader says a result label is; a mark's reason follows it.
namespace ResultDescription {
inline constexpr char Freq[] = "Fréquence centrale";
inline constexpr char B[] = "Demi-largeur de la plage de capture";
inline constexpr char LblPlageBas[] = "Limite basse de la plage de capture";
inline constexpr char LblPlageHaut[] = "Limite haute de la plage de capture";
} // namespace ResultDescription

// The resistor box's tool tip while its text is a number, and while it is not.
namespace ResistorTip {
inline constexpr char Number[] = "Modifiable";
inline constexpr char NotANumber[] = "Nombre attendu, virgule décimale : 4,7";
} // namespace ResistorTip

// Why a caption is marked, in French, naming what is at fault; empty for a current caption.
QString Reason(const calc::CaptionCheck& check);

} // namespace ui
