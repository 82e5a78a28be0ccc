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

// The failure of a path that is not valid UTF-8.
Status notUtf8() {
  return Status::system(EINVAL);
}

// Opens `path` with CreateFileW into `file`, the handle given a C runtime descriptor.
Status openHandle(FileSystem& files, const std::wstring& path, DWORD access, DWORD disposition,
                  DWORD flags, int descriptorFlags, Descriptor& file) {
  HANDLE handle =
      CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return lastWindowsError();
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), descriptorFlags);
  if (fd < 0) {
    const Status failed = Status::lastError();
    CloseHandle(handle);
    return failed;
  }
  file = Descriptor(files, fd);
  return Status();
}

// What the program knows of the file behind `handle`, into `info`.
Status infoOf(HANDLE handle, FileInfo& info) {
  info = FileInfo();
  if (GetFileType(handle) != FILE_TYPE_DISK) return Status();  // a device or a pipe
  BY_HANDLE_FILE_INFORMATION found{};
  if (GetFileInformationByHandle(handle, &found) == 0) return lastWindowsError();
  info.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  info.regular = !info.directory && (found.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
  info.mode = (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
  info.device = found.dwVolumeSerialNumber;
  info.inode = (uint64_t{found.nFileIndexHigh} << 32) | found.nFileIndexLow;
  info.links = found.nNumberOfLinks;
  return Status();
}

// The handle behind the C runtime descriptor `fd`; INVALID_HANDLE_VALUE when it holds none.
HANDLE handleOf(int fd) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

class WindowsFileSystem final : public FileSystem {
 public:
  Status openForReading(const std::string& path, Descriptor& file) override {
    std::optional<std::wstring> name = widePath(path);
    if (!name) return notUtf8();
    const Status opened = openHandle(*this, *name, GENERIC_READ, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, _O_RDONLY | _O_BINARY, file);
    if (!opened.ok()) return opened;
    FileInfo info;
    if (status(file.fd(), info).ok() && info.directory) {
      file.close();
      return Status::system(EISDIR);  // Windows itself says only that access is denied
    }
    return Status();
  }

  // Windows has no FIFOs to wait for.
  Status openToReadAll(const std::string& path, Descriptor& file) override {
    return openForReading(path, file);
  }

  Status openTarget(const std::string& path, Descriptor& file, bool& created) override {
    created = false;
    std::optional<std::wstring> name = widePath(path);
    if (!name) return notUtf8();
    HANDLE handle = CreateFileW(name->c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const Status failed = lastWindowsError();
      // A folder refuses to be written; say which it is.
      const DWORD attributes = GetFileAttributesW(name->c_str());
      if (failed.is(EACCES) && attributes != INVALID_FILE_ATTRIBUTES &&
          (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Status::system(EISDIR);
      }
      return failed;
    }
    // The one open says whether it made the file.
    created = GetLastError() != ERROR_ALREADY_EXISTS;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
      const Status failed = Status::lastError();
      CloseHandle(handle);
      return failed;
    }
    file = Descriptor(*this, fd);
    return Status();
  }

  int ownWriter(int fd) override {
    FileInfo target;
    if (!status(fd, target).ok() || !target.regular) return -1;
    for (int own : {1, 2}) {
      FileInfo stream;
      if (own != fd && status(own, stream).ok() && stream.regular && stream.sameFile(target)) {
        return own;
      }
    }
    return -1;
  }

  Status nameOf(int fd, std::string& name) override {
    const HANDLE handle = handleOf(fd);
    if (handle == INVALID_HANDLE_VALUE) return Status::system(EBADF);
    const DWORD size = GetFinalPathNameByHandleW(handle, nullptr, 0, FILE_NAME_NORMALIZED);
    std::wstring found(size, L'\0');
    const DWORD length =
        size == 0 ? 0 : GetFinalPathNameByHandleW(handle, found.data(), size, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= size) return lastWindowsError();
    found.resize(length);
    // "\\?\C:\polls\week.txt" as the plain whole path; "\\?\UNC\server\share" as "\\server\share".
    if (found.rfind(L"\\\\?\\UNC\\", 0) == 0) {
      found.replace(0, 8, L"\\\\");
    } else if (found.rfind(L"\\\\?\\", 0) == 0) {
      found.erase(0, 4);
    }
    name = narrowText(found);
    return Status();
  }

  Status status(int fd, FileInfo& info) override {
    if (const Folder* folder = folderOf(fd)) return infoOf(folder->handle, info);
    const HANDLE handle = handleOf(fd);
    if (handle == INVALID_HANDLE_VALUE) return Status::system(EBADF);
    return infoOf(handle, info);
  }

  // Windows has no append-only folders.
  bool forbidsRemovalIn(const std::string&) override { return false; }

  Status openFolder(const std::string& path, Descriptor& folder, Status& syncable) override {
    // Windows writes a folder's names through as it changes them: there is nothing to sync.
    syncable = Status();
    std::optional<std::wstring> name = widePath(path);
    if (!name) return notUtf8();
    // A drive-relative path ("C:", "C:polls") is made whole from that drive's current folder.
    const DWORD size = GetFullPathNameW(name->c_str(), 0, nullptr, nullptr);
    std::wstring whole(size, L'\0');
    const DWORD length =
        size == 0 ? 0 : GetFullPathNameW(name->c_str(), size, whole.data(), nullptr);
    if (length == 0 || length >= size) return lastWindowsError();
    whole.resize(length);
    while (whole.size() > 3 && (whole.back() == L'\\' || whole.back() == L'/')) whole.pop_back();
    // Held without sharing its deletion, the folder can be neither moved nor removed.
    HANDLE handle =
        CreateFileW(whole.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return lastWindowsError();
    const int fd = nextFolder_++;
    folders_[fd] = Folder{whole, handle};
    folder = Descriptor(*this, fd);
    return Status();
  }

  Status statusAt(int folder, const std::string& name, FileInfo& info) override {
    std::wstring path;
    if (const Status found = pathIn(folder, name, path); !found.ok()) return found;
    HANDLE handle = CreateFileW(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return lastWindowsError();
    const Status found = infoOf(handle, info);
    CloseHandle(handle);
    return found;
  }

  // Windows has no folder that takes new names but refuses to remove them.
  bool forbidsRemoval(int) override { return false; }

  Status createTemporary(int folder, std::string& name, Descriptor& file) override {
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = temporaryName();
      std::wstring path;
      if (const Status found = pathIn(folder, candidate, path); !found.ok()) return found;
      const Status made = openHandle(*this, path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, _O_RDWR | _O_BINARY, file);
      if (made.ok()) {
        name = std::move(candidate);
        return made;
      }
      if (!made.is(EEXIST)) return made;
    }
    return Status::system(EEXIST);
  }

  // ReplaceFileW carries the replaced file's access control list, attributes and streams.
  Status copyMetadata(int, int, Kept&) override { return Status(); }

  Status renameAt(int folder, const std::string& from, const std::string& to) override {
    std::wstring source, target;
    if (const Status found = pathIn(folder, from, source); !found.ok()) return found;
    if (const Status found = pathIn(folder, to, target); !found.ok()) return found;
    if (ReplaceFileW(target.c_str(), source.c_str(), nullptr, 0, nullptr, nullptr) != 0) {
      return Status();
    }
    // No file to replace: the new one is moved into place, but never over one made meanwhile.
    if (GetLastError() == ERROR_FILE_NOT_FOUND &&
        GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
        MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0) {
      return Status();
    }
    return lastWindowsError();
  }

  Status removeAt(int folder, const std::string& name) override {
    std::wstring path;
    if (const Status found = pathIn(folder, name, path); !found.ok()) return found;
    return DeleteFileW(path.c_str()) != 0 ? Status() : lastWindowsError();
  }

  Status write(int fd, const char* data, std::size_t size) override {
    const HANDLE handle = handleOf(fd);
    if (handle == INVALID_HANDLE_VALUE) return Status::system(EBADF);
    while (size > 0) {
      const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
      DWORD written = 0;
      if (WriteFile(handle, data, chunk, &written, nullptr) == 0) return lastWindowsError();
      if (written == 0) return Status::system(EIO);
      data += written;
      size -= written;
    }
    return Status();
  }

  Status read(int fd, char* data, std::size_t size, std::size_t& count) override {
    count = 0;
    const HANDLE handle = handleOf(fd);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0) {
      return readConsole(handle, data, size, count);
    }
    const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
    const int got = _read(fd, data, chunk);
    if (got >= 0) {
      count = static_cast<std::size_t>(got);
      return Status();
    }
    // A closed pipe is the end of the input, as it is elsewhere.
    return GetLastError() == ERROR_BROKEN_PIPE ? Status() : Status::lastError();
  }

  Status rewind(int fd) override {
    return _lseeki64(fd, 0, SEEK_SET) == 0 ? Status() : Status::lastError();
  }

  // Windows writes a folder's names through as it changes them: there is nothing to sync.
  Status syncFolder(int) override { return Status(); }

  Status sync(int fd) override {
    const HANDLE handle = handleOf(fd);
    if (handle == INVALID_HANDLE_VALUE) return Status::system(EBADF);
    return FlushFileBuffers(handle) != 0 ? Status() : lastWindowsError();
  }

  Status close(int fd) override {
    auto folder = folders_.find(fd);
    if (folder == folders_.end()) return _close(fd) == 0 ? Status() : Status::lastError();
    CloseHandle(folder->second.handle);
    folders_.erase(folder);
    return Status();
  }

 private:
  // Reads what was typed at the console as UTF-8, whatever the console's code page, so that a
  // typed path names the file Explorer shows.
  Status readConsole(HANDLE console, char* data, std::size_t size, std::size_t& count) {
    while (typed_.empty()) {
      wide_.resize(4096);
      DWORD typed = 0;
      if (ReadConsoleW(console, wide_.data(), static_cast<DWORD>(wide_.size()), &typed, nullptr) ==
          0) {
        return lastWindowsError();
      }
      // Ctrl-Z at the start of a line ends the input, as it does for a console in text mode.
      if (typed == 0 || wide_[0] == 0x1A) return Status();
      const int wideCount = static_cast<int>(typed);
      const int length =
          WideCharToMultiByte(CP_UTF8, 0, wide_.data(), wideCount, nullptr, 0, nullptr, nullptr);
      if (length <= 0) return lastWindowsError();
      typed_.resize(static_cast<std::size_t>(length));
      WideCharToMultiByte(CP_UTF8, 0, wide_.data(), wideCount, typed_.data(), length, nullptr,
                          nullptr);
    }
    count = std::min(size, typed_.size());
    std::memcpy(data, typed_.data(), count);
    typed_.erase(0, count);
    return Status();
  }

  const Folder* folderOf(int fd) const {
    auto folder = folders_.find(fd);
    return folder == folders_.end() ? nullptr : &folder->second;
  }

  // The whole path of `name` in the open folder `fd`, into `path`.
  Status pathIn(int fd, const std::string& name, std::wstring& path) const {
    const Folder* folder = folderOf(fd);
    if (folder == nullptr) return Status::system(EBADF);
    std::optional<std::wstring> last = widePath(name);
    if (!last) return notUtf8();
    const bool separated = folder->path.back() == L'\\' || folder->path.back() == L'/';
    path = folder->path + (separated ? L"" : L"\\") + *last;
    return Status();
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
