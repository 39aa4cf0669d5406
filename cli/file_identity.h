// Whether two names, or a name and an open descriptor, reach one file: device and inode on
// POSIX; on Windows the volume serial number and file index, which also see through letter
// case, drive and path spellings, and links.
#pragma once

#include <cstdint>
#include <string>

struct FileIdentity {
  uint64_t volume = 0;  // 0: not told (Wine's standard handles tell the index alone)
  uint64_t index = 0;
};

inline bool operator==(const FileIdentity& a, const FileIdentity& b) {
  return a.index == b.index && (a.volume == b.volume || a.volume == 0 || b.volume == 0);
}

// False when the name reaches no file that can be asked (none there, no permission).
bool identityOfPath(const std::string& path, FileIdentity& identity);
// False for a closed descriptor and, on Windows, for anything but a file on a disk.
bool identityOfDescriptor(int fd, FileIdentity& identity);
