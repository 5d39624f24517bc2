// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/filehandle.h"

#include <fcntl.h>

std::string fileHandle(int folder, const std::string &name)
{
    union {
        file_handle handle;
        char space[sizeof(file_handle) + MAX_HANDLE_SZ];
    } buffer {};
    buffer.handle.handle_bytes = MAX_HANDLE_SZ;
    int mountId = 0;
    if (::name_to_handle_at(folder, name.c_str(), &buffer.handle, &mountId, 0) != 0)
        return {};
    const char *type = reinterpret_cast<const char *>(&buffer.handle.handle_type);
    return std::string(type, sizeof buffer.handle.handle_type)
        + std::string(reinterpret_cast<const char *>(buffer.handle.f_handle), buffer.handle.handle_bytes);
}
