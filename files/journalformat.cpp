// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/journalformat.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <sstream>
#include <unistd.h>
#include <utility>
#include <vector>

namespace RenameJournal
{
namespace
{
// Reads of a journal stop here: a longer one is not ours to trust.
constexpr std::size_t longestJournal = 16 << 20;

std::uint64_t checksum(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

std::string hex(std::string_view bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (const char c : bytes) {
        text += digits[static_cast<unsigned char>(c) >> 4];
        text += digits[static_cast<unsigned char>(c) & 15];
    }
    return text.empty() ? std::string("-") : text;
}

bool unhex(std::string_view text, std::string &bytes)
{
    bytes.clear();
    if (text == "-")
        return true;
    if (text.size() % 2 != 0)
        return false;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        if (std::from_chars(text.data() + i, text.data() + i + 2, value, 16).ptr != text.data() + i + 2)
            return false;
        bytes += char(value);
    }
    return true;
}

template<typename Number>
bool number(std::string_view text, Number &value, int base = 10)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> parts;
    for (std::size_t at = 0; at <= line.size();) {
        const std::size_t space = std::min(line.find(' ', at), line.size());
        parts.push_back(line.substr(at, space - at));
        at = space + 1;
    }
    return parts;
}

std::string signedLine(const std::string &body)
{
    char sum[17];
    std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(checksum(body)));
    return body + ' ' + sum + '\n';
}

bool parseEntry(const std::vector<std::string_view> &w, Line &line)
{
    Entry &e = line.entry;
    int known = 0;
    const bool parsed = w.size() == 17 && number(w[1], line.id, 16) && w[2].size() == 1 && number(w[4], line.owner.pid)
        && number(w[5], line.owner.start) && number(w[6], e.time) && number(w[7], known) && number(w[8], e.device)
        && number(w[9], e.inode) && number(w[10], e.size) && number(w[11], e.mtimeSec) && number(w[12], e.mtimeNsec)
        && unhex(w[13], e.folder) && unhex(w[14], e.name) && unhex(w[15], e.original) && unhex(w[16], e.handle)
        && !e.folder.empty() && !e.name.empty();
    line.owner.boot = std::string(w.size() > 3 ? w[3] : std::string_view());
    e.kind = Kind(parsed ? w[2][0] : 0);
    e.known = known != 0;
    if (e.kind == Kind::Marked)
        e.mark = std::exchange(e.original, std::string());
    line.readable = parsed
        && (e.kind == Kind::SetAside || (e.kind == Kind::Copy && e.size >= 0)
            || (e.kind == Kind::Marked && !e.mark.empty() && e.size >= std::int64_t(e.mark.size())));
    return parsed;
}

// Applies one line (without its newline).
void applyLine(Journal &journal, std::string_view text)
{
    const std::size_t lastSpace = text.rfind(' ');
    std::uint64_t sum = 0;
    if (lastSpace == std::string_view::npos || !number(text.substr(lastSpace + 1), sum, 16)
        || sum != checksum(text.substr(0, lastSpace))) {
        ++journal.ignored;
        return;
    }
    const std::vector<std::string_view> w = words(text.substr(0, lastSpace));
    Line line;
    if (w[0] == "1-" && w.size() == 2 && number(w[1], line.id, 16)) {
        journal.entries.erase(line.id);
    } else if (w[0] == "1+" && parseEntry(w, line)) {
        line.text = std::string(text) + '\n';
        journal.entries[line.id] = std::move(line);
    } else {
        ++journal.ignored;
    }
}

// The first line of a small file; empty, with `err` set, when it cannot be read.
std::string readLine(const std::string &path, int &err)
{
    char buffer[1024];
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t n = fd >= 0 ? ::read(fd, buffer, sizeof buffer - 1) : -1;
    err = n < 0 ? errno : 0;
    if (fd >= 0)
        ::close(fd);
    const std::string text(buffer, std::size_t(std::max<ssize_t>(n, 0)));
    return text.substr(0, text.find('\n'));
}
}

const Owner &Owner::self()
{
    static const Owner me = [] {
        Owner owner = of(::getpid());
        owner.pid = ::getpid();
        return owner;
    }();
    return me;
}

Owner Owner::of(long pid)
{
    Owner owner;
    int err = 0;
    owner.boot = readLine("/proc/sys/kernel/random/boot_id", err);
    if (owner.boot.empty() || owner.boot.find(' ') != std::string::npos)
        owner.boot = "-";
    owner.pid = pid;
    const std::string stat = readLine("/proc/" + std::to_string(pid) + "/stat", err);
    owner.missing = err == ENOENT || err == ESRCH;
    // The fields after the command's closing parenthesis: the state, then the start time as the 20th.
    const std::size_t close = stat.rfind(')');
    const std::vector<std::string_view> w
        = words(close == std::string::npos ? std::string_view() : std::string_view(stat).substr(close + 2));
    owner.readable = w.size() > 19 && number(w[19], owner.start);
    owner.missing = owner.missing || (w.size() > 0 && w[0] == "Z");
    return owner;
}

Journal readJournal(int fd)
{
    std::string text;
    char buffer[1 << 16];
    for (off_t at = 0; text.size() < longestJournal;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, std::size_t(n));
        at += n;
    }
    Journal journal;
    applyLines(journal, text);
    return journal;
}

void applyLines(Journal &journal, std::string_view text)
{
    // A last line without its newline was cut short: left out.
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos; text.remove_prefix(end + 1))
        applyLine(journal, text.substr(0, end));
    journal.ignored += text.empty() ? 0 : 1;
}

std::string entryLine(std::uint64_t id, const Entry &e)
{
    const Owner &me = Owner::self();
    std::ostringstream body;
    body << "1+ " << std::hex << id << std::dec << ' ' << char(e.kind) << ' ' << me.boot << ' ' << me.pid << ' '
         << me.start << ' ' << e.time << ' ' << int(e.known) << ' ' << e.device << ' ' << e.inode << ' ' << e.size
         << ' ' << e.mtimeSec << ' ' << e.mtimeNsec << ' ' << hex(e.folder) << ' ' << hex(e.name) << ' '
         << hex(e.kind == Kind::Marked ? e.mark : e.original) << ' ' << hex(e.handle);
    return signedLine(body.str());
}

std::string doneLine(std::uint64_t id)
{
    std::ostringstream body;
    body << "1- " << std::hex << id;
    return signedLine(body.str());
}
}
