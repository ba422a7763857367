// Paths handed to the file system. The launchpad builds its media paths by joining the media root
// and fixed pieces; such a path may be longer than the classic limit of 260 characters, and a media
// root at a drive's root leaves two backslashes in a row. File-system calls reach every such path
// through AfxExtendedPath; the path itself is kept as it was built everywhere else.
#pragma once

#include <string>

// path as the file-system functions accept it at any length: a full path of MAX_PATH characters
// or more gets the extended-length prefix ("\\?\X:\..." or "\\?\UNC\server\share\..."), and,
// since that prefix turns off the system's own clean-up, its repeated backslashes are made one.
// Shorter paths, relative paths and paths that carry a prefix already are returned unchanged.
std::wstring AfxExtendedPath(const std::wstring& path);
