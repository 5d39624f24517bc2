// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The program's texts, and the toolkit's own (context menus, standard buttons,
// command-line help), in the user's language where the program has it.
namespace Translations
{
// Installs the program's translation for the first of `uiLanguages` (the user's languages, most
// wanted first, as QLocale names them: "de-DE", "pt-BR") that `folder` holds as
// zindle_<language>.qm, a country's own falling back to its language's ("de_AT" to "de"), and
// the toolkit's translation into that same language from `qtFolder` (qtbase_<language>.qm),
// so that the window speaks one language. English, the language the texts are written in,
// ends the search before any file is read. Needs the application object, which keeps what it
// installs. Returns the language installed ("de", "pt_BR"), or "" when the texts stay English.
QString install(const QStringList &uiLanguages, const QString &folder, const QString &qtFolder);

// install() for the user's languages, with the program's translations where it installs them
// (found from the program's own folder, so that a build folder works alike) and the toolkit's
// where the toolkit keeps them.
QString installForUser();
}
