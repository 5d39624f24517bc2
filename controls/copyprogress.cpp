// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/copyprogress.h"

#include <QApplication>
#include <QProgressDialog>

#include <optional>

namespace
{
// The dialog counts in thousandths: a byte count overflows its int range.
constexpr int scale = 1000;

bool widgetsRunning()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}
}

CopyProgressDialog::CopyProgressDialog(const QString &from, const QString &to)
    : m_label(QStringLiteral("Moving %1\nto %2").arg(from, to))
{
    m_clock.start();
}

CopyProgressDialog::~CopyProgressDialog() = default;

bool CopyProgressDialog::update(qint64 done, qint64 total)
{
    if (!widgetsRunning())
        return true;
    if (!m_dialog) {
        // Until the modal dialog is up, user input must wait: a second click on
        // the rename button now would start a rename inside this one.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (m_clock.elapsed() < delayMs)
            return true;
        show();
    }
    m_dialog->setValue(total > 0 ? int(done * scale / total) : 0);
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}

void CopyProgressDialog::show()
{
    m_dialog = std::make_unique<QProgressDialog>(m_label, QStringLiteral("Cancel"), 0, scale);
    m_dialog->setWindowTitle(QStringLiteral("Moving"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(0);
    m_dialog->show();
}

CopyProgress progressDialog(const QString &from, const QString &to)
{
    auto dialog = std::make_shared<std::optional<CopyProgressDialog>>();
    return [dialog, from, to](qint64 done, qint64 total) {
        if (!*dialog)
            dialog->emplace(from, to);
        return (*dialog)->update(done, total);
    };
}
