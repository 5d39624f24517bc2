// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The mount table holds mount points anyone can choose (a FUSE mount, a
// removable disk's label): whatever a line says, the parser and the volume
// filter must neither crash nor list a volume twice, and must keep the root.
#include "files/mounts.h"

#include <cstdint>
#include <cstdlib>
#include <set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<Mount> table = parseMountTable(std::string_view(reinterpret_cast<const char *>(data), size));
    const Viewer viewer {QStringLiteral("maria"), QStringLiteral("/home/maria"), QStringLiteral("/media/maria/CARD")};
    const std::vector<Mount> volumes = desktopVolumes(table, viewer);
    std::set<QString> points;
    for (const Mount &volume : volumes) {
        if (!points.insert(volume.point).second || !volume.point.startsWith(u'/'))
            std::abort();
    }
    if (!table.empty() && mountOf(table, QStringLiteral("/")) && !points.count(QStringLiteral("/")))
        std::abort();
    for (const Mount &mount : table)
        (void)mountOf(table, mount.point + QStringLiteral("/a"));
    return 0;
}
