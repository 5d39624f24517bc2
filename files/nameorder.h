// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

struct UCollator;

// The order in which folders and files are listed: a locale's collation with
// letters beside their base letters (Émile among the e's), case ignored, and
// runs of digits, of any script, compared as numbers (IMG_2 before IMG_10,
// "a01" level with "a1"). Names that collate equal are ordered by their exact
// bytes, so that distinct names never tie. A byte that is not valid UTF-8
// collates as U+FFFD, the character it stands for on screen.
//
// A locale without collation rules of its own (C, C.UTF-8, POSIX) gets the
// common Unicode order, not code points. Safe to use from several threads.
class NameOrder
{
public:
    explicit NameOrder(const QLocale &locale);
    ~NameOrder();
    NameOrder(const NameOrder &) = delete;
    NameOrder &operator=(const NameOrder &) = delete;

    // The order of the user's collation locale (LC_ALL, else LC_COLLATE, else LANG).
    [[nodiscard]] static const NameOrder &user();

    [[nodiscard]] bool less(const QString &a, const QString &b) const;
    // Appends the key of `name`: comparing two keys as bytes (memcmp, then
    // length) gives exactly less(). `bytes` are the name's exact bytes
    // (encodePath), for a caller that has them already.
    void appendKey(QStringView name, std::string &key) const;
    void appendKey(QStringView name, std::string_view bytes, std::string &key) const;

private:
    UCollator *m_collator = nullptr;
};
