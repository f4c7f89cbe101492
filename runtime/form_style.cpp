#include "runtime/form_style.h"

#include "runtime/image_file.h"

#include <QGroupBox>
#include <QStyleFactory>
#include <QStyleOptionComplex>
#include <algorithm>
#include <qdrawutil.h>

namespace runtime {

namespace {
constexpr int ArrowWidth = 14;
constexpr int FieldMargin = 2;
// Fusion's frame: its image, the border that stretches, and the space above the frame line.
constexpr char GroupBoxImage[] = ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";
constexpr QMargins GroupBoxBorder(6, 6, 6, 6);
constexpr int GroupBoxTopMargin = 3;
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

void FormStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameGroupBox) {
        if (!groupBoxFrameRead_) {
            groupBoxFrameRead_ = true;
            groupBoxFrame_ = QPixmap::fromImage(ReadImageFile(QString::fromLatin1(GroupBoxImage)));
        }
        if (!groupBoxFrame_.isNull()) {
            int top = GroupBoxTopMargin;
            const auto* box = qobject_cast<const QGroupBox*>(widget);
            if (box == nullptr || box->isCheckable() || !box->title().isEmpty()) {
                top += std::max(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight),
                                option->fontMetrics.height());
            }
            qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), GroupBoxBorder,
                              groupBoxFrame_);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

} // namespace runtime
