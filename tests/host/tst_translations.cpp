// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The translation chosen for the user's languages, with the toolkit's own in the same language,
// from the translations this build made.
#include "host/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTest>
#include <QTranslator>

using namespace Qt::StringLiterals;

class TestTranslations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void install_data();
    void install();
    void cleanup()
    {
        for (QTranslator *translator : QCoreApplication::instance()->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

void TestTranslations::install_data()
{
    QTest::addColumn<QStringList>("languages"); // the user's, most wanted first
    QTest::addColumn<QString>("installed"); // its first two letters; empty for English
    QTest::addColumn<QString>("file"); // the program's "&File" menu
    QTest::addColumn<QString>("undo"); // the toolkit's own "&Undo" of a text box
    const struct {
        const char *name;
        QStringList languages;
        QString installed, file, undo;
    } rows[] = {
        {"German", {u"de-DE"_s}, u"de"_s, u"&Datei"_s, u"&Rückgängig"_s},
        {"a country's own falls back to the language's", {u"de-AT"_s}, u"de"_s, u"&Datei"_s, u"&Rückgängig"_s},
        {"French", {u"fr-FR"_s}, u"fr"_s, u"&Fichier"_s, u"&Annuler"_s},
        {"Spanish", {u"es-ES"_s}, u"es"_s, u"&Archivo"_s, u"&Deshacer"_s},
        {"Italian", {u"it-IT"_s}, u"it"_s, u"&File"_s, u"Ann&ulla"_s},
        {"Brazilian Portuguese", {u"pt-BR"_s}, u"pt"_s, u"&Arquivo"_s, u"&Desfazer"_s},
        {"a language without a translation gives way to the next", {u"ja-JP"_s, u"fr-FR"_s}, u"fr"_s, u"&Fichier"_s,
            u"&Annuler"_s},
        {"English first ends the search", {u"en-US"_s, u"de-DE"_s}, QString(), u"&File"_s, u"&Undo"_s},
        {"C names no language", {u"C"_s}, QString(), u"&File"_s, u"&Undo"_s},
        {"no translation at all", {u"ja-JP"_s, u"ko-KR"_s}, QString(), u"&File"_s, u"&Undo"_s},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << row.languages << row.installed << row.file << row.undo;
}

void TestTranslations::install()
{
    QFETCH(QStringList, languages);
    const QString installed = Translations::install(
        languages, QStringLiteral(ZINDLE_TRANSLATIONS_DIR), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QTEST(installed.left(2), "installed");
    QTEST(QCoreApplication::translate("Form1", "&File"), "file");
    QTEST(QCoreApplication::translate("QLineEdit", "&Undo"), "undo");
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
