#include "runtime/form_style.h"

#include <QStyleFactory>
#include <QStyleOptionComplex>

namespace runtime {

namespace {
constexpr int ArrowWidth = 14;
constexpr int FieldMargin = 2;
} // namespace

FormStyle::FormStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int FormStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    if (hint == SH_ComboBox_Popup) {
        return 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QRect FormStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                SubControl part, const QWidget* widget) const {
    if (control == CC_ComboBox) {
        const QRect box = option->rect;
        if (part == SC_ComboBoxArrow) {
            return QRect(box.right() - ArrowWidth + 1, box.top(), ArrowWidth, box.height());
        }
        if (part == SC_ComboBoxEditField) {
            return QRect(box.left() + FieldMargin, box.top() + FieldMargin,
                         box.width() - ArrowWidth - FieldMargin, box.height() - 2 * FieldMargin);
        }
    }
    return QProxyStyle::subControlRect(control, option, part, widget);
}

} // namespace runtime
