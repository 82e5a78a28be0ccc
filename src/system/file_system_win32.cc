// The operating system's files behind the FileSystem interface, on Windows: paths are UTF-8
// and go to the system as UTF-16; every file is opened in binary mode. A folder "descriptor"
// is a handle on the folder held open (so that it cannot be moved or removed meanwhile) and its
// whole path; names in it are made and replaced through that path.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <string>

#include "system/error_text.h"
#include "system/file_system.h"
#include "system/temporary_name.h"
#include "system/windows_errors.h"

namespace hoops {

namespace {

// Folder descriptors are numbered from here, far above the C runtime's own.
constexpr int kFirstFolder = 1 << 24;

struct Folder {
  std::wstring path;  // whole, with no separator at its end
  HANDLE handle;
};

// Opens `path` with CreateFileW and gives the handle a C runtime descriptor; -1 on failure.
int openHandle(const std::wstring& path, DWORD access, DWORD disposition, DWORD flags,
               int descriptorFlags) {
  HANDLE handle =
      CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return setErrnoFromLastError(), -1;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), descriptorFlags);
  if (fd < 0) CloseHandle(handle);
  return fd;
}

// What the program knows of the file behind `handle`.
std::optional<FileSystem::Status> statusOf(HANDLE handle) {
  FileSystem::Status status;
  if (GetFileType(handle) != FILE_TYPE_DISK) return status;  // a device or a pipe
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(handle, &info) == 0) return setErrnoFromLastError(), std::nullopt;
  status.directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  status.regular = !status.directory && (info.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
  status.mode = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
  status.device = info.dwVolumeSerialNumber;
  status.inode = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  status.links = info.nNumberOfLinks;
  return status;
}

class WindowsFileSystem final : public FileSystem {
 public:
  int openForReading(const std::string& path) override {
    std::optional<std::wstring> name = widePath(path);
    if (!name) return -1;
    const int fd = openHandle(*name, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                              _O_RDONLY | _O_BINARY);
    std::optional<Status> found = fd < 0 ? std::nullopt : status(fd);
    if (found && found->directory) {
      _close(fd);
      errno = EISDIR;  // Windows itself says only that access is denied
      return -1;
    }
    return fd;
  }

  // Windows has no FIFOs to wait for.
  int openToReadAll(const std::string& path) override { return openForReading(path); }

  int openTarget(const std::string& path, bool& created) override {
    created = false;
    std::optional<std::wstring> name = widePath(path);
    if (!name) return -1;
    HANDLE handle = CreateFileW(name->c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      setErrnoFromLastError();
      // A folder refuses to be written; say which it is.
      const DWORD attributes = GetFileAttributesW(name->c_str());
      if (errno == EACCES && attributes != INVALID_FILE_ATTRIBUTES &&
          (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        errno = EISDIR;
      }
      return -1;
    }
    // The one open says whether it made the file.
    created = GetLastError() != ERROR_ALREADY_EXISTS;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) CloseHandle(handle);
    return fd;
  }

  int ownWriter(int fd) override {
    const std::optional<Status> target = status(fd);
    if (!target || !target->regular) return -1;
    for (int own : {1, 2}) {
      const std::optional<Status> stream = own == fd ? std::nullopt : status(own);
      if (stream && stream->regular && stream->sameFile(*target)) return own;
    }
    return -1;
  }

  std::optional<std::string> nameOf(int fd) override {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) return errno = EBADF, std::nullopt;
    const DWORD size = GetFinalPathNameByHandleW(handle, nullptr, 0, FILE_NAME_NORMALIZED);
    std::wstring name(size, L'\0');
    const DWORD length =
        size == 0 ? 0 : GetFinalPathNameByHandleW(handle, name.data(), size, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= size) return setErrnoFromLastError(), std::nullopt;
    name.resize(length);
    // "\\?\C:\polls\week.txt" as the plain whole path; "\\?\UNC\server\share" as "\\server\share".
    if (name.rfind(L"\\\\?\\UNC\\", 0) == 0) {
      name.replace(0, 8, L"\\\\");
    } else if (name.rfind(L"\\\\?\\", 0) == 0) {
      name.erase(0, 4);
    }
    return narrowText(name);
  }

  std::optional<Status> status(int fd) override {
    if (const Folder* folder = folderOf(fd)) return statusOf(folder->handle);
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) return errno = EBADF, std::nullopt;
    return statusOf(handle);
  }

  // Windows has no append-only folders.
  bool forbidsRemovalIn(const std::string&) override { return false; }

  int openFolder(const std::string& path, int& syncError) override {
    // Windows writes a folder's names through as it changes them: there is nothing to sync.
    syncError = 0;
    std::optional<std::wstring> name = widePath(path);
    if (!name) return -1;
    // A drive-relative path ("C:", "C:polls") is made whole from that drive's current folder.
    const DWORD size = GetFullPathNameW(name->c_str(), 0, nullptr, nullptr);
    std::wstring whole(size, L'\0');
    const DWORD length =
        size == 0 ? 0 : GetFullPathNameW(name->c_str(), size, whole.data(), nullptr);
    if (length == 0 || length >= size) return setErrnoFromLastError(), -1;
    whole.resize(length);
    while (whole.size() > 3 && (whole.back() == L'\\' || whole.back() == L'/')) whole.pop_back();
    // Held without sharing its deletion, the folder can be neither moved nor removed.
    HANDLE handle =
        CreateFileW(whole.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return setErrnoFromLastError(), -1;
    const int fd = nextFolder_++;
    folders_[fd] = Folder{whole, handle};
    return fd;
  }

  std::optional<Status> statusAt(int folder, const std::string& name) override {
    std::optional<std::wstring> path = pathIn(folder, name);
    if (!path) return std::nullopt;
    HANDLE handle = CreateFileW(
        path->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return setErrnoFromLastError(), std::nullopt;
    std::optional<Status> found = statusOf(handle);
    CloseHandle(handle);
    return found;
  }

  // Windows has no folder that takes new names but refuses to remove them.
  bool forbidsRemoval(int) override { return false; }

  int createTemporary(int folder, std::string& name) override {
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = temporaryName();
      std::optional<std::wstring> path = pathIn(folder, candidate);
      if (!path) return -1;
      const int fd = openHandle(*path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, _O_RDWR | _O_BINARY);
      if (fd >= 0) {
        name = std::move(candidate);
        return fd;
      }
      if (errno != EEXIST) return -1;
    }
    return -1;
  }

  // ReplaceFileW carries the replaced file's access control list, attributes and streams.
  bool copyMetadata(int, int, Kept&) override { return true; }

  bool renameAt(int folder, const std::string& from, const std::string& to) override {
    std::optional<std::wstring> source = pathIn(folder, from);
    std::optional<std::wstring> target = pathIn(folder, to);
    if (!source || !target) return false;
    if (ReplaceFileW(target->c_str(), source->c_str(), nullptr, 0, nullptr, nullptr) != 0) {
      return true;
    }
    // No file to replace: the new one is moved into place, but never over one made meanwhile.
    if (GetLastError() == ERROR_FILE_NOT_FOUND &&
        GetFileAttributesW(target->c_str()) == INVALID_FILE_ATTRIBUTES &&
        MoveFileExW(source->c_str(), target->c_str(), MOVEFILE_WRITE_THROUGH) != 0) {
      return true;
    }
    setErrnoFromLastError();
    return false;
  }

  bool removeAt(int folder, const std::string& name) override {
    std::optional<std::wstring> path = pathIn(folder, name);
    if (!path) return false;
    if (DeleteFileW(path->c_str()) == 0) return setErrnoFromLastError(), false;
    return true;
  }

  bool write(int fd, const char* data, std::size_t size) override {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) return errno = EBADF, false;
    while (size > 0) {
      const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
      DWORD written = 0;
      if (WriteFile(handle, data, chunk, &written, nullptr) == 0) {
        return setErrnoFromLastError(), false;
      }
      if (written == 0) return errno = EIO, false;
      data += written;
      size -= written;
    }
    return true;
  }

  long read(int fd, char* data, std::size_t size) override {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0) {
      return readConsole(handle, data, size);
    }
    const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
    int count = _read(fd, data, chunk);
    // A closed pipe is the end of the input, as it is elsewhere.
    if (count < 0 && GetLastError() == ERROR_BROKEN_PIPE) return 0;
    return count;
  }

  bool rewind(int fd) override { return _lseeki64(fd, 0, SEEK_SET) == 0; }

  // Windows writes a folder's names through as it changes them: there is nothing to sync.
  bool syncFolder(int) override { return true; }

  bool sync(int fd) override {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) return errno = EBADF, false;
    if (FlushFileBuffers(handle) == 0) return setErrnoFromLastError(), false;
    return true;
  }

  bool close(int fd) override {
    auto folder = folders_.find(fd);
    if (folder == folders_.end()) return _close(fd) == 0;
    CloseHandle(folder->second.handle);
    folders_.erase(folder);
    return true;
  }

 private:
  // Reads what was typed at the console as UTF-8, whatever the console's code page, so that a
  // typed path names the file Explorer shows.
  long readConsole(HANDLE console, char* data, std::size_t size) {
    while (typed_.empty()) {
      wide_.resize(4096);
      DWORD count = 0;
      if (ReadConsoleW(console, wide_.data(), static_cast<DWORD>(wide_.size()), &count, nullptr) ==
          0) {
        return setErrnoFromLastError(), -1;
      }
      // Ctrl-Z at the start of a line ends the input, as it does for a console in text mode.
      if (count == 0 || wide_[0] == 0x1A) return 0;
      const int wideCount = static_cast<int>(count);
      const int length =
          WideCharToMultiByte(CP_UTF8, 0, wide_.data(), wideCount, nullptr, 0, nullptr, nullptr);
      if (length <= 0) return setErrnoFromLastError(), -1;
      typed_.resize(static_cast<std::size_t>(length));
      WideCharToMultiByte(CP_UTF8, 0, wide_.data(), wideCount, typed_.data(), length, nullptr,
                          nullptr);
    }
    const std::size_t count = std::min(size, typed_.size());
    std::memcpy(data, typed_.data(), count);
    typed_.erase(0, count);
    return static_cast<long>(count);
  }

  const Folder* folderOf(int fd) const {
    auto folder = folders_.find(fd);
    return folder == folders_.end() ? nullptr : &folder->second;
  }

  // The whole path of `name` in the open folder `fd`.
  std::optional<std::wstring> pathIn(int fd, const std::string& name) const {
    const Folder* folder = folderOf(fd);
    if (folder == nullptr) return errno = EBADF, std::nullopt;
    std::optional<std::wstring> last = widePath(name);
    if (!last) return std::nullopt;
    const bool separated = folder->path.back() == L'\\' || folder->path.back() == L'/';
    return folder->path + (separated ? L"" : L"\\") + *last;
  }

  std::map<int, Folder> folders_;
  std::wstring wide_;  // the console's last read, as typed
  std::string typed_;  // what of it, as UTF-8, is not handed over yet
  int nextFolder_ = kFirstFolder;
};

}  // namespace

FileSystem& realFileSystem() {
  static WindowsFileSystem files;
  return files;
}

std::pair<std::string, std::string> splitPath(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const bool drive = path.size() >= 2 && path[1] == ':';
  if (slash == std::string::npos) {
    return drive ? std::pair{path.substr(0, 2), path.substr(2)} : std::pair{std::string("."), path};
  }
  const bool root = slash == 0 || (drive && slash == 2);
  return {path.substr(0, root ? slash + 1 : slash), path.substr(slash + 1)};
}

}  // namespace hoops
