// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>
#include <optional>
#include <utility>

// The one error every failing host operation raises, with a descriptive text: either a
// system error (an errno value) or one of the program's own failures, which has a code
// type of its own so that it is never read as an errno (the program's 11 is not EAGAIN).
class HostError : public std::exception
{
public:
    // The program's own failures, numbered as runtimes customarily number them.
    enum class Code { InvalidCall = 5, Overflow = 6, DivisionByZero = 11 };

    // A system error: `number` is an errno value.
    HostError(int number, QString text) : m_number(number), m_text(std::move(text)) { }
    HostError(Code code, QString text) : m_code(code), m_text(std::move(text)) { }

    // An error from an errno value, described by strerror.
    [[nodiscard]] static HostError fromErrno(int err);

    // The errno value of a system error; 0 for one of the program's own.
    [[nodiscard]] int number() const { return m_number; }
    // The program's own code, or none for a system error.
    [[nodiscard]] std::optional<Code> code() const { return m_code; }
    [[nodiscard]] const QString &text() const { return m_text; }
    [[nodiscard]] const char *what() const noexcept override { return "host operation failed"; }

private:
    int m_number = 0;
    std::optional<Code> m_code;
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
// The same body as skip: around one statement the exception skips it, around a whole body it
// ends the body; the two names say which the handler means.
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
