#pragma once

#include <string>

// Whether both paths name one existing file, however reached: the same path,
// another path, a hard link or a symbolic link (device and inode, or their
// equivalent on Windows). A path that names no file names no file of the
// other.
bool sameFile(const std::string& a, const std::string& b);
