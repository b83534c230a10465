// The platform's calls behind platform.h: the Windows API and C runtime
// under MinGW-w64, POSIX elsewhere.
#include "common/platform.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace veldmarsh {

#if defined(_WIN32)

namespace {
// A stream with no valid handle behind it; for an output stream also one
// whose handle refuses even an empty write as invalid (so Wine shows a
// standard stream that was closed when the program started).
bool is_closed(std::FILE* stream, bool output) {
  const int fd = _fileno(stream);
  const intptr_t h = fd < 0 ? -1 : _get_osfhandle(fd);
  if (h == -1 || h == -2) return true;
  DWORD written = 0;
  return output && WriteFile(reinterpret_cast<HANDLE>(h), "", 0, &written, nullptr) == 0 &&
         GetLastError() == ERROR_INVALID_HANDLE;
}
}  // namespace

void prepare_standard_streams() {
  if (is_closed(stdin, false)) (void)std::freopen("NUL", "rb", stdin);
  if (is_closed(stdout, true)) (void)std::freopen("NUL", "wb", stdout);
  if (is_closed(stderr, true)) (void)std::freopen("NUL", "wb", stderr);
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

input_file_kind kind_of_input(std::FILE* file) {
  const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  if (h == INVALID_HANDLE_VALUE || GetFileType(h) != FILE_TYPE_DISK) return input_file_kind::stream;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(h, &info) != 0 && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return input_file_kind::folder;
  return input_file_kind::disk_file;
}

bool replace_file(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

#else

void prepare_standard_streams() {
  // open() takes the lowest free descriptor: the closed stream's own.
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF && open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd)
      return;
}

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

input_file_kind kind_of_input(std::FILE* file) {
  struct stat s;
  if (fstat(fileno(file), &s) != 0) return input_file_kind::stream;
  if (S_ISDIR(s.st_mode)) return input_file_kind::folder;
  return S_ISREG(s.st_mode) ? input_file_kind::disk_file : input_file_kind::stream;
}

bool replace_file(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

#endif

}  // namespace veldmarsh
