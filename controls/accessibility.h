// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// What screen readers meet of the windows, where Qt's own interfaces fall short.
namespace Accessibility
{
// Exposes `container` by what it is (window, dialog, group or pane) with, as
// its children, only the controls it shows that are not decoration: a box
// that is never shown holds nothing a person could see. Call before the
// container is first read, that is before its window is shown.
void exposeShownChildren(QWidget *container);

// Keeps `widget`, which only draws (an outline, a rule), away from screen
// readers; its container is exposed as exposeShownChildren() says.
void setDecoration(QWidget *widget);

// Installs the interfaces of the program's own controls: the drive list is
// named by what it is and shows its volume as its text, an image box is a
// graphic. Each such control calls this; calling it again does nothing.
void installInterfaces();

// Tells screen readers whether `widget` holds an invalid entry: AT-SPI's state
// invalid-entry, in the answers to its state and as a state change when it changes.
void setInvalidEntry(QWidget *widget, bool invalid);
// Whether `widget` was last marked as holding an invalid entry.
[[nodiscard]] bool hasInvalidEntry(const QWidget *widget);
}
