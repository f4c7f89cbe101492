#pragma once

#include "runtime/control.h"

class QGroupBox;

namespace runtime {

// A captioned group box. The controls it holds are placed from its outer top-left corner, caption
// area included, and are clipped to it.
class Frame : public Control {
public:
    Frame(QWidget* container, const QString& name, const QString& caption);

    QString Caption() const;
    QGroupBox* group() const { return group_; }

private:
    QGroupBox* group_;
};

} // namespace runtime
