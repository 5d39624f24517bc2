// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>
#include <optional>
#include <utility>

// The one error every failing host operation raises: a number and the
// operating system's descriptive text.
class HostError : public std::exception
{
public:
    HostError(int number, QString text) : m_number(number), m_text(std::move(text)) { }

    // An error from an errno value, described by strerror.
    [[nodiscard]] static HostError fromErrno(int err);

    [[nodiscard]] int number() const { return m_number; }
    [[nodiscard]] const QString &text() const { return m_text; }
    [[nodiscard]] const char *what() const noexcept override { return "host operation failed"; }

private:
    int m_number;
    QString m_text;
};

// The four error modes a handler can run in. Each handler names its mode at
// its top by calling one of these, so the mode is visible, not scattered.
namespace ErrorMode
{
// Skip-and-continue: a failing statement is skipped silently and the next one runs.
template<typename Statement>
void skip(Statement &&statement)
{
    try {
        statement();
    } catch (const HostError &) {
    }
}

// Exit-on-error: the body ends silently at the first failure; what it did before stays done.
template<typename Body>
void exitOnError(Body &&body)
{
    try {
        body();
    } catch (const HostError &) {
    }
}

// Test-after: the failing statement is skipped and its error handed back for the caller to test.
template<typename Statement>
[[nodiscard]] std::optional<HostError> testAfter(Statement &&statement)
{
    try {
        statement();
    } catch (const HostError &error) {
        return error;
    }
    return std::nullopt;
}

// None: the body expects no failure; one that happens anyway propagates to the caller.
template<typename Body>
void none(Body &&body)
{
    body();
}
}
