// The platform's calls behind platform.h: the Windows API and C runtime
// under MinGW-w64, POSIX elsewhere.
#include "common/platform.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#else
#include <sys/stat.h>
#endif

namespace veldmarsh {

#if defined(_WIN32)

void set_binary_standard_streams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::tm local_time(std::time_t t) {
  std::tm local{};
  localtime_s(&local, &t);
  return local;
}

namespace {
// The volume and index that name a file on Windows; false when the name
// reaches no file. The handle asks for no access, so it never conflicts with
// the program's own opening of the file.
bool file_identity(const std::string& name, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE h = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  return ok;
}
}  // namespace

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  BY_HANDLE_FILE_INFORMATION ia, ib;
  return file_identity(a, ia) && file_identity(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

#else

void set_binary_standard_streams() {}

std::tm local_time(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  return local;
}

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat sa, sb;
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

#endif

}  // namespace veldmarsh
