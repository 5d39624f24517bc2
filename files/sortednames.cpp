// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/sortednames.h"

#include "files/nameorder.h"
#include "files/pathcodec.h"

#include <algorithm>

QString decodeName(std::string_view name)
{
    unsigned char high = 0;
    for (const char c : name)
        high |= static_cast<unsigned char>(c);
    if ((high & 0x80) == 0)
        return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); // SIMD
    return decodePath(name);
}

void NameBatch::add(std::string_view bytes)
{
    m_bytes.append(bytes);
    m_ends.push_back(static_cast<std::uint32_t>(m_bytes.size()));
}

void NameBatch::key()
{
    names.reserve(m_ends.size());
    keyEnds.reserve(m_ends.size());
    std::size_t start = 0;
    for (const std::uint32_t end : m_ends) {
        const std::string_view bytes(m_bytes.data() + start, end - start);
        names.push_back(decodeName(bytes));
        NameOrder::user().appendKey(names.back(), bytes, keys);
        keyEnds.push_back(static_cast<std::uint32_t>(keys.size()));
        start = end;
    }
    std::string().swap(m_bytes);
    std::vector<std::uint32_t>().swap(m_ends);
}

Keyer::~Keyer()
{
    finish();
}

void Keyer::hand(NameBatch *batch)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(batch);
    }
    m_wake.notify_one();
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
}

void Keyer::finish()
{
    {
        const std::lock_guard lock(m_mutex);
        m_finishing = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void Keyer::run()
{
    for (;;) {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return !m_queue.empty() || m_finishing; });
        if (m_queue.empty())
            return;
        NameBatch *batch = m_queue.front();
        m_queue.pop_front();
        lock.unlock();
        batch->key();
    }
}

void SortedNames::add(std::string_view bytes, Keyer &keyer)
{
    if (m_batches.empty() || m_batches.back()->size() == NameBatch::Size) {
        if (!m_batches.empty())
            keyer.hand(m_batches.back().get());
        m_batches.push_back(std::make_unique<NameBatch>());
    }
    m_batches.back()->add(bytes);
}

void SortedNames::keyLast()
{
    if (!m_batches.empty())
        m_batches.back()->key();
}

std::vector<QString> SortedNames::take()
{
    std::uint32_t index = 0;
    for (const auto &batch : m_batches) {
        for (std::uint32_t i = 0, start = 0; i < batch->keyEnds.size(); start = batch->keyEnds[i++])
            m_entries.push_back({0, batch->keys.data() + start, batch->keyEnds[i] - start, index++});
    }
    setHeads();
    std::sort(m_entries.begin(), m_entries.end(),
        [](const Entry &a, const Entry &b) { return a.head != b.head ? a.head < b.head : key(a) < key(b); });
    // The keys go before the sorted list is made: a large folder must not need more memory.
    for (const auto &batch : m_batches) {
        std::string().swap(batch->keys);
        std::vector<std::uint32_t>().swap(batch->keyEnds);
    }
    std::vector<QString> sorted;
    sorted.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        sorted.push_back(std::move(m_batches[entry.index / NameBatch::Size]->names[entry.index % NameBatch::Size]));
    return sorted;
}

void SortedNames::setHeads()
{
    if (m_entries.empty())
        return;
    std::size_t shared = m_entries.front().length;
    for (const Entry &entry : m_entries) {
        const std::string_view a = key(m_entries.front()).substr(0, shared), b = key(entry);
        shared = static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    }
    for (Entry &entry : m_entries) {
        const std::string_view rest = key(entry).substr(shared);
        for (std::size_t k = 0; k < 8; ++k)
            entry.head = (entry.head << 8) | (k < rest.size() ? static_cast<unsigned char>(rest[k]) : 0u);
    }
}
