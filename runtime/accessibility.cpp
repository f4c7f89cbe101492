#include "runtime/accessibility.h"

#include <QAbstractItemView>
#include <QVariant>
#include <QWidget>

namespace runtime {

namespace {

// The one installed: Qt's update handler is a plain function.
Accessibility* installed = nullptr;

// What the handler knows a widget that announces its own changes by.
constexpr char AnnouncesChanges[] = "runtimeAnnouncesItsChanges";

} // namespace

Accessibility::Accessibility(std::span<const QAccessible::InterfaceFactory> factories)
    : factories_(factories.begin(), factories.end()) {
    Q_ASSERT(installed == nullptr);
    for (const QAccessible::InterfaceFactory factory : factories_) {
        QAccessible::installFactory(factory);
    }
    installed = this;
    next_ = QAccessible::installUpdateHandler(&Update);
}

Accessibility::~Accessibility() {
    // A handler installed after this one stays; it has this one's place.
    const QAccessible::UpdateHandler current = QAccessible::installUpdateHandler(next_);
    if (current != &Update) {
        QAccessible::installUpdateHandler(current);
    }
    installed = nullptr;
    for (const QAccessible::InterfaceFactory factory : factories_) {
        QAccessible::removeFactory(factory);
    }
}

void Accessibility::AnnouncesItsChanges(QWidget* widget) {
    widget->setProperty(AnnouncesChanges, true);
}

Accessibility::Announcement::Announcement() {
    if (installed != nullptr) {
        ++installed->announcing_;
    }
}

Accessibility::Announcement::~Announcement() {
    if (installed != nullptr) {
        --installed->announcing_;
    }
}

void Accessibility::Update(QAccessibleEvent* event) {
    if (installed != nullptr && !installed->HeldBack(event)) {
        installed->HandOn(event);
    }
}

bool Accessibility::HeldBack(const QAccessibleEvent* event) const {
    if (announcing_ > 0) {
        return false;
    }
    QObject* source = event->object();
    const QAccessible::Event type = event->type();
    if (type == QAccessible::ValueChanged) {
        return source != nullptr && source->property(AnnouncesChanges).toBool();
    }
    if (type == QAccessible::Selection || type == QAccessible::SelectionAdd ||
        type == QAccessible::SelectionRemove || type == QAccessible::SelectionWithin ||
        type == QAccessible::Focus) {
        // A box's list lies in the box's popup frame.
        auto* view = qobject_cast<QAbstractItemView*>(source);
        const QWidget* popup = view != nullptr ? view->parentWidget() : nullptr;
        const QWidget* box = popup != nullptr ? popup->parentWidget() : nullptr;
        return box != nullptr && !view->isVisible() && box->property(AnnouncesChanges).toBool();
    }
    return false;
}

void Accessibility::HandOn(QAccessibleEvent* event) const {
    if (next_ != nullptr) {
        next_(event);
        return;
    }
    // Qt hands an event to the platform's bridge only while no handler is installed, and offers
    // no public call that reaches the bridge otherwise (it is private API, tied to one Qt
    // version): the handler gives up its place for this one call. The platform only reads the
    // interfaces, which change nothing, so no event of ours arrives meanwhile.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&Update);
}

} // namespace runtime
