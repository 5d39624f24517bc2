// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Interfaces for screen readers where Qt's own fall short: a combo box that
// Qt names by its current entry, containers that list hidden boxes and
// outlines, windows without a role of their own.
#include "controls/accessibility.h"

#include "controls/imagebox.h"
#include "controls/lists.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QGroupBox>

namespace
{
const char ShownChildrenOnly[] = "zindleShownChildrenOnly";
const char Decoration[] = "zindleDecoration";

QAccessible::Role containerRole(const QWidget *container)
{
    if (qobject_cast<const QGroupBox *>(container))
        return QAccessible::Grouping;
    if (qobject_cast<const QDialog *>(container))
        return QAccessible::Dialog;
    return container->isWindow() ? QAccessible::Window : QAccessible::Client;
}

// A container whose children are the controls it shows, decoration left out.
class ShownChildren : public QAccessibleWidget
{
public:
    explicit ShownChildren(QWidget *container) : QAccessibleWidget(container, containerRole(container)) { }

    [[nodiscard]] int childCount() const override { return static_cast<int>(shown().size()); }

    [[nodiscard]] QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = shown();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children.at(index))
                                                     : nullptr;
    }

    [[nodiscard]] int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? static_cast<int>(shown().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

    [[nodiscard]] QString text(QAccessible::Text type) const override
    {
        // A group is named by the title its frame shows.
        const auto *group = qobject_cast<const QGroupBox *>(widget());
        if (type == QAccessible::Name && group && widget()->accessibleName().isEmpty())
            return group->title();
        return QAccessibleWidget::text(type);
    }

private:
    [[nodiscard]] QList<QWidget *> shown() const
    {
        QList<QWidget *> children;
        for (QObject *object : widget()->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (child && !child->isWindow() && child->isVisibleTo(widget()) && !child->property(Decoration).toBool())
                children.append(child);
        }
        return children;
    }
};

// The drive list as a combo box that a screen reader announces by what it is
// (its accessible name) with the volume it shows as its text, read-only. Qt's
// own names it by the volume alone. Its one child is the popup list.
class DriveListInterface : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit DriveListInterface(DriveList *list) : QAccessibleWidget(list, QAccessible::ComboBox) { }

    [[nodiscard]] QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Value ? volume() : QAccessibleWidget::text(type);
    }
    [[nodiscard]] int childCount() const override { return 1; }
    [[nodiscard]] QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    [[nodiscard]] QStringList actionNames() const override
    {
        return QStringList {showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

    // The text: the volume shown, without caret or selection.
    [[nodiscard]] QString text(int start, int end) const override
    {
        const QString shown = volume();
        return shown.mid(start, end < 0 ? -1 : end - start);
    }
    [[nodiscard]] int characterCount() const override { return static_cast<int>(volume().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    [[nodiscard]] int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    [[nodiscard]] int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    [[nodiscard]] QRect characterRect(int) const override { return {}; }
    [[nodiscard]] int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    [[nodiscard]] QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    [[nodiscard]] QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
    [[nodiscard]] QString volume() const { return list()->currentText(); }
};

QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (auto *drives = qobject_cast<DriveList *>(widget))
        return new DriveListInterface(drives);
    if (qobject_cast<ImageBox *>(widget))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (widget->property(ShownChildrenOnly).toBool())
        return new ShownChildren(widget);
    return nullptr;
}
}

void Accessibility::installInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    Q_UNUSED(installed)
}

void Accessibility::exposeShownChildren(QWidget *container)
{
    installInterfaces();
    if (container->property(ShownChildrenOnly).toBool())
        return;
    container->setProperty(ShownChildrenOnly, true);
    // Qt may have made its own interface already (a new title is announced, for one): ours replaces it.
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(container);
    if (made && !dynamic_cast<ShownChildren *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void Accessibility::setDecoration(QWidget *widget)
{
    widget->setProperty(Decoration, true);
    if (QWidget *container = widget->parentWidget())
        exposeShownChildren(container);
}
