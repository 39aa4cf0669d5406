// Whether two names, or a name and an open descriptor, reach one file: device and inode on
// POSIX; on Windows the volume serial number and file index, which also see through letter
// case, drive and path spellings, and links.
#pragma once

#include <cstdint>
#include <string>

struct FileIdentity {
  uint64_t volume = 0;
  uint64_t index = 0;
};

inline bool operator==(const FileIdentity& a, const FileIdentity& b) {
  return a.volume == b.volume && a.index == b.index;
}

// False when the name reaches no file that can be asked (none there, no permission).
bool identityOfPath(const std::string& path, FileIdentity& identity);
// False for a closed descriptor and, on Windows, for anything but a file on a disk.
bool identityOfDescriptor(int fd, FileIdentity& identity);
