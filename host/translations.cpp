// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/translations.h"

#include "base/appidentity.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace
{
// "C" and "POSIX" name no language: the texts stay as written, in English.
bool isEnglish(const QString &language)
{
    return language == QLatin1String("C") || language == QLatin1String("POSIX") || language == QLatin1String("en")
        || language.startsWith(QLatin1String("en_"));
}

// Loads `name`.qm from `folder`, or the file of its language alone when the country's is
// missing ("zindle_de_AT" finds zindle_de.qm), and installs it; null when there is none.
QTranslator *installFile(const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}
}

QString Translations::install(const QStringList &uiLanguages, const QString &folder, const QString &qtFolder)
{
    for (QString language : uiLanguages) {
        language.replace(u'-', u'_');
        if (isEnglish(language))
            return {};
        if (const QTranslator *own = installFile(QLatin1String("zindle_") + language, folder)) {
            // The language the translation is in, as its file says: "de" for a user of "de_AT".
            const QString found = own->language().replace(u'-', u'_');
            installFile(QLatin1String("qtbase_") + found, qtFolder);
            return found;
        }
    }
    return {};
}

QString Translations::installForUser()
{
    return install(QLocale::system().uiLanguages(),
        QCoreApplication::applicationDirPath() + u'/' + QLatin1String(AppIdentity::TranslationsFolder),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
