// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// AT-SPI's state invalid-entry. Qt's bridge to AT-SPI (6.4) maps no state of
// its own onto it, so the state goes out here: the object that answers AT-SPI
// for the program's accessible objects is wrapped, the wrapper answers the
// state of a control marked invalid itself and hands every other message on,
// and a change of the mark is announced as AT-SPI announces state changes.
#include "controls/accessibility.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace
{
const char InvalidEntry[] = "zindleInvalidEntry";
// Where Qt's bridge serves the accessible objects, on its connection to the accessibility bus.
const QString Connection = QStringLiteral("a11y");
const QString Accessible = QStringLiteral("/org/a11y/atspi/accessible");
// AT-SPI's state numbers.
enum SpiState {
    Active = 1,
    Editable = 7,
    Enabled = 8,
    Focusable = 11,
    Focused = 12,
    Selectable = 22,
    Selected = 23,
    Sensitive = 24,
    Showing = 25,
    Visible = 30,
    Invalid = 36
};

QString pathOf(QAccessibleInterface *object)
{
    return Accessible + u'/' + QString::number(QAccessible::uniqueId(object));
}

// The object a path names, when it is a control marked invalid.
QAccessibleInterface *markedAt(const QString &path)
{
    bool number = false;
    const QAccessible::Id id = path.section(u'/', -1).toUInt(&number);
    QAccessibleInterface *object
        = number && path.startsWith(Accessible + u'/') ? QAccessible::accessibleInterface(id) : nullptr;
    const QObject *widget = object ? object->object() : nullptr;
    return widget && widget->property(InvalidEntry).toBool() ? object : nullptr;
}

// The states AT-SPI reads of `object`, as Qt's bridge maps them, and invalid-entry.
QList<uint> spiStates(QAccessibleInterface *object)
{
    const QAccessible::State state = object->state();
    quint64 bits = 1ull << Invalid;
    const auto set = [&bits](bool on, std::initializer_list<SpiState> states) {
        for (const SpiState spi : states)
            bits |= on ? 1ull << spi : 0;
    };
    set(state.active, {Active});
    set(state.editable, {Editable});
    set(!state.disabled, {Enabled, Sensitive});
    set(state.focusable, {Focusable});
    set(state.focused, {Focused});
    set(state.selectable, {Selectable});
    set(state.selected, {Selected});
    set(!state.invisible && !state.offscreen, {Showing, Visible});
    return {uint(bits & 0xFFFFFFFFu), uint(bits >> 32)};
}

class StateAnswerer : public QDBusVirtualObject
{
public:
    explicit StateAnswerer(QDBusVirtualObject *bridge) : m_bridge(bridge) { }

    QString introspect(const QString &path) const override { return m_bridge ? m_bridge->introspect(path) : QString(); }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.member() == QLatin1String("GetState")
            && message.interface() == QLatin1String("org.a11y.atspi.Accessible")) {
            if (QAccessibleInterface *object = markedAt(message.path()))
                return connection.send(message.createReply(QVariant::fromValue(spiStates(object))));
        }
        return m_bridge && m_bridge->handleMessage(message, connection);
    }

private:
    QPointer<QDBusVirtualObject> m_bridge;
};

// Wraps the bridge's object once it serves the bus; whether it is wrapped.
bool wrapBridge()
{
    static StateAnswerer *answerer = nullptr;
    QDBusConnection bus(Connection);
    QObject *serving = bus.isConnected() ? bus.objectRegisteredAt(Accessible) : nullptr;
    if (!serving || serving == answerer)
        return serving != nullptr;
    auto *bridge = qobject_cast<QDBusVirtualObject *>(serving);
    if (!bridge)
        return false;
    qDBusRegisterMetaType<QList<uint>>();
    delete answerer;
    answerer = new StateAnswerer(bridge);
    bus.unregisterObject(Accessible, QDBusConnection::UnregisterNode);
    return bus.registerVirtualObject(Accessible, answerer, QDBusConnection::SubPath);
}

// Once the bridge comes up, after it has put its object on the bus.
class BridgeWatch : public QAccessible::ActivationObserver
{
public:
    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            QTimer::singleShot(0, [] { wrapBridge(); });
    }
};

void announce(QWidget *widget, bool invalid)
{
    QAccessibleInterface *object = QAccessible::queryAccessibleInterface(widget);
    QDBusConnection bus(Connection);
    if (!object || !bus.isConnected())
        return;
    QDBusMessage change = QDBusMessage::createSignal(
        pathOf(object), QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("StateChanged"));
    change << QStringLiteral("invalid-entry") << int(invalid) << 0 << QVariant::fromValue(QDBusVariant(0))
           << QVariantMap();
    bus.send(change);
}
}

void Accessibility::setInvalidEntry(QWidget *widget, bool invalid)
{
    // Kept for the whole run: the bridge may come up at any time, and Qt may call it at the very end.
    static const bool watching = [] {
        QAccessible::installActivationObserver(new BridgeWatch);
        return true;
    }();
    Q_UNUSED(watching)
    if (hasInvalidEntry(widget) == invalid)
        return;
    widget->setProperty(InvalidEntry, invalid);
    if (!QAccessible::isActive())
        return;
    wrapBridge();
    announce(widget, invalid);
}

bool Accessibility::hasInvalidEntry(const QWidget *widget)
{
    return widget->property(InvalidEntry).toBool();
}
