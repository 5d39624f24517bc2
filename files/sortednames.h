// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The names of a folder as readFolder sorts them: read a batch at a time,
// decoded and keyed (NameOrder::appendKey) on a second thread while readdir
// goes on, then sorted by the keys. In a large folder the collation takes
// about as long as reading, and the two overlap.
#pragma once

#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// A name from its exact bytes: as decodePath, faster for ASCII.
[[nodiscard]] QString decodeName(std::string_view name);

// Names as readdir gives them, then decoded and keyed: the bytes are kept only until then.
class NameBatch
{
public:
    static constexpr std::size_t Size = 4096;

    void add(std::string_view bytes);
    [[nodiscard]] std::size_t size() const { return m_ends.size(); }
    // Decodes and keys every name.
    void key();

    std::vector<QString> names;
    std::string keys; // end to end, each ending at its keyEnds
    std::vector<std::uint32_t> keyEnds;

private:
    std::string m_bytes;
    std::vector<std::uint32_t> m_ends;
};

// Keys the batches handed to it, in order, on a thread of its own started with the first.
class Keyer
{
public:
    Keyer() = default;
    ~Keyer();
    Keyer(const Keyer &) = delete;
    Keyer &operator=(const Keyer &) = delete;

    void hand(NameBatch *batch);
    // Returns once every batch handed over is keyed.
    void finish();

private:
    void run();

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<NameBatch *> m_queue;
    bool m_finishing = false;
};

// Names sorted by their keys. Most comparisons are settled by 8 bytes of key
// following the prefix that every key shares (in a folder of pictures, "img_"
// and a number's start).
class SortedNames
{
public:
    // Adds a name; each batch that fills goes to `keyer`.
    void add(std::string_view bytes, Keyer &keyer);
    // Keys the last batch, which no keyer got, on the calling thread.
    void keyLast();
    // Once every batch is keyed: the names in order.
    [[nodiscard]] std::vector<QString> take();

private:
    struct Entry {
        std::uint64_t head; // 8 key bytes after the shared prefix, big-endian, zero-padded
        const char *key;
        std::uint32_t length;
        std::uint32_t index; // in the order read, every batch but the last full
    };

    [[nodiscard]] static std::string_view key(const Entry &e) { return std::string_view(e.key, e.length); }
    void setHeads();

    std::vector<std::unique_ptr<NameBatch>> m_batches;
    std::vector<Entry> m_entries;
};
