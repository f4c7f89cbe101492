#pragma once

#include <QPointF>
#include <QtGlobal>

namespace runtime {

// The mouse click that a control is answering while the event it raised runs: the time and place
// of the release that made it a click. A control opens one around the event it raises for a click
// of the mouse; a key or a screen reader opens none.
class MouseClick {
public:
    MouseClick(quint64 releaseTime, QPointF releasedAt);
    ~MouseClick();
    MouseClick(const MouseClick&) = delete;
    MouseClick& operator=(const MouseClick&) = delete;

    // The click being answered, or null.
    static const MouseClick* Current();

    quint64 ReleaseTime() const { return releaseTime_; }
    QPointF ReleasedAt() const { return releasedAt_; }

private:
    quint64 releaseTime_;
    QPointF releasedAt_;
    const MouseClick* outer_;
};

// What the current click did changes the window under the pointer (it showed, raised or closed a
// window): the rest of its double click (the second press, the double-click event and the release)
// reaches no control, wherever it lands. Outside a click it does nothing.
void SwallowRestOfDoubleClick();

} // namespace runtime
