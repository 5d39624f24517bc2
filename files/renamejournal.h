// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct stat;

// The journal of the files a move makes or hides for a while: a source set
// aside before it is removed, a copy being built under a name of its own. An
// entry is written and flushed before its file is made, and dropped once the
// file is gone or back under its name. After a move was killed, the next move
// from or into that folder finishes what it left, acting only on the files
// of entries whose mover has ended and that are still the files recorded; a
// file that merely looks like one of ours is never touched.
//
// It is the file $XDG_STATE_HOME/zindle/journal (~/.local/state/zindle/journal
// by default), locked (flock) while read or written, so that threads and
// processes share it. One line per change, checked by its own checksum:
//   1+ ID KIND BOOT PID START TIME KNOWN DEVICE INODE SIZE MTIME-S MTIME-NS FOLDER NAME ORIGINAL HANDLE SUM
//   1- ID SUM
// numbers in decimal, ID and SUM in hex, byte strings (paths, names, the
// file handle) in hex, "-" when empty; ORIGINAL holds the mark of a marked file.
// A later "1+" of an ID replaces its entry; "1-" drops it. Lines that fail
// their checksum, and entries of kinds this version does not know, are never
// acted on. When no entry is left, the file is emptied; when it grows, it is
// rewritten (into a new file renamed over it) with the entries alone.
namespace RenameJournal
{
enum class Kind : char {
    SetAside = 'a', // a source renamed aside; put back under `original`
    Copy = 'c', // a copy in progress; removed
    // A file under a name that others see, made by the program and not yet
    // complete: a copy written under its final name, or a placeholder that
    // holds a name for a rename. Its first bytes hold `mark` until it is
    // complete; removed while they still do.
    Marked = 'm',
};

struct Entry {
    Kind kind = Kind::SetAside;
    std::string folder; // the folder's full path, as bytes (folderPath)
    std::string name; // the file's name in it now
    std::string original; // set aside: the file's own name, in full
    std::string mark; // marked: the random bytes its head holds while incomplete; empty for none
    bool known = false; // device, inode and handle were taken from the file
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::string handle; // its fileHandle, where the file system gives one
    std::int64_t size = 0; // set aside: its size; a copy or a marked file: the complete file's
    std::int64_t mtimeSec = 0; // set aside: its modification time; a copy: the complete copy's
    std::int64_t mtimeNsec = 0;
    std::int64_t time = 0; // when the entry was first written, seconds since 1970
};

// Where the journal is; empty when there is no home to put it in.
[[nodiscard]] std::string journalPath();

// The full path of the folder open as `folder`, the same however it was reached.
[[nodiscard]] std::string folderPath(int folder);

// Takes device, inode, size and modification time from the file's status,
// and the handle of `name` in `folder`.
void describe(Entry &entry, const struct stat &st, int folder, const std::string &name);

// An entry of this process, written to the journal while the object lives.
// While it lives, its file is left alone by the tidying of every move.
class Record
{
public:
    // Writes and flushes `entry`. Raises HostError (ENOLCK, saying where and
    // why) when the journal cannot be written: the caller must not make the file.
    explicit Record(Entry entry);
    // Unless finished, the entry stays in the journal for a later tidying.
    ~Record();
    Record(const Record &) = delete;
    Record &operator=(const Record &) = delete;

    [[nodiscard]] const Entry &entry() const { return m_entry; }
    // Writes the entry anew, as `entry`; raises as the constructor does.
    void update(const Entry &entry);
    // The file is gone, published or back under its name: drops the entry. Never raises.
    void finish();

private:
    std::uint64_t m_id;
    Entry m_entry;
    bool m_finished = false;
};

// What the tidying did with an entry whose mover has ended.
enum class Outcome {
    Done, // acted on its file, or its file is gone or is another: the entry is dropped
    Keep, // could not act now: the entry stays for the next time
};

// Raises HostError (as Record does) when the journal cannot be written. Then,
// for each entry for `folder` (a folderPath) whose mover has ended, asks
// `settle` what to do, and drops the entries it settled.
void tidy(const std::string &folder, const std::function<Outcome(const Entry &)> &settle);
}
