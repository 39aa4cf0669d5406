#include "file_identity.h"

#include <cstring>

#include <sys/stat.h>
#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#endif

#if defined(_WIN32)

namespace {

bool identityOfHandle(HANDLE handle, FileIdentity& identity) {
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(handle, &info)) {
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
  }
  // Wine answers the above for no standard handle; this it answers, though without the
  // volume. Its serial's low half is the one above; the index the first 8 bytes of the id.
  FILE_ID_INFO id;
  if (!GetFileInformationByHandleEx(handle, FileIdInfo, &id, sizeof id)) return false;
  identity.volume = id.VolumeSerialNumber & 0xFFFFFFFFu;
  std::memcpy(&identity.index, id.FileId.Identifier, sizeof identity.index);
  return true;
}

}  // namespace

bool identityOfPath(const std::string& path, FileIdentity& identity) {
  // No access asked, and every sharing mode allowed, so a file open elsewhere answers too;
  // the backup flag lets a folder answer.
  HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool known = identityOfHandle(handle, identity);
  CloseHandle(handle);
  return known;
}

bool identityOfDescriptor(int fd, FileIdentity& identity) {
  auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK) return false;
  return identityOfHandle(handle, identity);
}

#else

namespace {

FileIdentity identityOfStat(const struct stat& info) {
  FileIdentity identity;
  identity.volume = static_cast<uint64_t>(info.st_dev);
  identity.index = static_cast<uint64_t>(info.st_ino);
  return identity;
}

}  // namespace

bool identityOfPath(const std::string& path, FileIdentity& identity) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return false;
  identity = identityOfStat(info);
  return true;
}

bool identityOfDescriptor(int fd, FileIdentity& identity) {
  struct stat info;
  if (fstat(fd, &info) != 0) return false;
  identity = identityOfStat(info);
  return true;
}

#endif
