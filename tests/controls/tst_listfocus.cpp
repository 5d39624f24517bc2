// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The folder and file lists show where the keyboard focus is, in every style
// and in light and dark palettes: the focused list looks different from the
// unfocused one, and the difference stands out against the list's background.
#include "controls/lists.h"
#include "testsupport/testfiles.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace
{
double luminance(QColor colour)
{
    const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

// The contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrast(QColor a, QColor b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    const QColor text(0xe0, 0xe0, 0xe0), window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e);
    QPalette dark(text, window, window.lighter(), window.darker(), window, text, Qt::white, base, window);
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0x6f, 0xa8));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}
}

class TestListFocus : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(TestFiles::makeFolder(m_dir.path() + QStringLiteral("/Sub")));
        for (const char *name : {"/a.jpg", "/b.jpg", "/c.jpg", "/Sub/d.jpg"})
            QVERIFY(TestFiles::write(m_dir.path() + QLatin1String(name)));
    }

    void focusShows_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("list"); // "files", "files, none highlighted", "folders"
        for (const QString &style : QStyleFactory::keys()) {
            for (const bool dark : {false, true}) {
                for (const char *list : {"files", "files, none highlighted", "folders"})
                    QTest::addRow("%s, %s, %s", qPrintable(style), dark ? "dark" : "light", list)
                        << style << dark << QString::fromLatin1(list);
            }
        }
    }

    void focusShows()
    {
        QFETCH(QString, style);
        QFETCH(bool, dark);
        QFETCH(QString, list);
        QApplication::setStyle(style);
        QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *other = new QLineEdit(&window);
        QListView *view = nullptr;
        if (list == QLatin1String("folders")) {
            auto *folders = new DirList(&window);
            folders->setPath(m_dir.path());
            view = folders;
        } else {
            auto *files = new FileList(&window);
            files->setPath(m_dir.path());
            if (list == QLatin1String("files"))
                files->highlight(QStringLiteral("b.jpg"));
            view = files;
        }
        layout->addWidget(other);
        layout->addWidget(view);
        window.resize(240, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        const QImage unfocused = view->viewport()->grab().toImage();
        view->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(view->hasFocus());
        const QImage focused = view->viewport()->grab().toImage();
        QCOMPARE(focused.size(), unfocused.size());
        // The strongest change the focus makes: a pixel that stands out from what was there.
        double strongest = 1;
        for (int y = 0; y < focused.height(); ++y) {
            for (int x = 0; x < focused.width(); ++x)
                strongest = std::max(strongest, contrast(focused.pixelColor(x, y), unfocused.pixelColor(x, y)));
        }
        QVERIFY2(strongest >= 3, qPrintable(QString::number(strongest)));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestListFocus)
#include "tst_listfocus.moc"
