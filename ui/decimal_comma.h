#pragma once

// A "." typed where the numbers want a decimal comma becomes "," at once, in every box that takes
// a number. The texts are handled as the program's text operations handle them, in UTF-16 units.

#include "calc/number_text.h"

#include <QString>

namespace ui {

// Where the caret goes once the points are replaced: the main window's resistor box puts it at
// the end of the text; the search window's boxes leave it where the user was typing.
enum class CaretAfterComma { AtEnd, Stays };

// Replaces every "." of the box's text by ",". The assignment raises the box's Change again
// before it returns, and that nested run finds no "." left. False when there was no ".".
template <typename Box> bool CorrectDecimalPoint(Box& box, CaretAfterComma caret) {
    const std::u16string text = box.Text().toStdU16String();
    if (calc::Find(text, u".") == 0) {
        return false;
    }
    const int before = caret == CaretAfterComma::Stays ? box.SelStart() : 0;
    box.SetText(QString::fromStdU16String(calc::ReplaceAll(text, u".", u",")));
    box.SetSelStart(caret == CaretAfterComma::Stays
                        ? before
                        : static_cast<int>(calc::Length(box.Text().toStdU16String())));
    return true;
}

} // namespace ui
