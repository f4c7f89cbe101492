#pragma once

#include <QProxyStyle>

namespace runtime {

// Qt's Fusion style with the narrow drop-down button of the classic combo box, so that a unit
// such as "MicroFarad" is seen whole in a box 1095 twips wide, as the windows were drawn.
class FormStyle : public QProxyStyle {
public:
    FormStyle();

    // Lists drop under their box, at most as many rows as the box allows, with a scroll bar,
    // instead of over the box as a column that can take the whole screen's height.
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;

    // A group box's frame drawn as Fusion draws it, without the image Fusion reads for it.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

} // namespace runtime
