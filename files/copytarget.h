// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/diskformat.h"
#include "files/renamesupport.h"

#include <optional>

namespace RenameSupport
{
// The copy of a regular file while it is built in the destination folder: an
// unnamed file where the file system can make one; else a file under a hidden
// name, published by renameCarefully, which never replaces; else, where the
// disk is known to have no hard links (FAT, exFAT), the final name itself,
// taken exclusively, whose first bytes hold a random mark until the copy is
// complete. A named copy is in the journal of moves from before it exists
// until it is published or removed. Unless published, the copy is removed
// when the object goes (if it is still this copy).
class CopyTarget
{
public:
    CopyTarget(int folder, const DiskFormat &format) : m_folder(folder), m_format(format) { }
    ~CopyTarget();
    CopyTarget(const CopyTarget &) = delete;
    CopyTarget &operator=(const CopyTarget &) = delete;

    // Makes the copy of a source whose status is `source`, to be published as `name`.
    void create(const struct stat &source, const std::string &name);
    [[nodiscard]] int fd() const { return m_fd.get(); }
    // How many bytes at the start the caller leaves out of the copy, for completeHead.
    [[nodiscard]] qint64 headLength() const { return qint64(m_mark.size()); }
    // Copies those bytes from the source `in`, over the mark: the copy is then complete.
    void completeHead(int in);
    // Gives the complete, flushed copy `name`, refusing if anything took it meanwhile.
    void publish(const std::string &name);

private:
    void createUnderFinalName(const struct stat &source, const std::string &name);
    bool createHidden(RenameJournal::Entry &entry);
    [[nodiscard]] int linkUnnamed(const std::string &name);
    [[nodiscard]] int renameHidden(const std::string &name);
    [[nodiscard]] bool stillMine() const;

    int m_folder;
    DiskFormat m_format;
    UniqueFd m_fd;
    std::string m_name; // the copy's name while it has one to remove
    bool m_final = false; // m_name is the name the copy is published as
    std::string m_mark;
    std::optional<RenameJournal::Record> m_record;
};

// Refuses at once, before anything is copied, a source whose status is `source`
// that the disk of `folder` cannot hold: larger than its format allows (EFBIG),
// or more than its free space (ENOSPC), counting only the blocks the source
// uses where the disk keeps holes, and its full size where it cannot.
void checkRoom(const struct stat &source, int folder, const DiskFormat &format);
}
