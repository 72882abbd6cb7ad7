#include "common/platform.h"

#include <cerrno>

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

namespace platform {

namespace {

HANDLE os_handle(std::FILE* stream) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

}  // namespace

std::FILE* open_findings_locked(const char* path) {
    int fd = _sopen(path, _O_RDWR | _O_CREAT | _O_TEXT, _SH_DENYNO, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    // Lock one byte far past any real content, so the lock never gets in the way of reading or
    // writing the file itself; other runs wait on the same byte.
    OVERLAPPED where = {};
    where.Offset = 0;
    where.OffsetHigh = 0x7FFFFFFF;
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &where)) {
        _close(fd);
        errno = EACCES;
        return nullptr;
    }
    std::FILE* stream = _fdopen(fd, "r+");
    if (stream == nullptr) _close(fd);
    return stream;
}

std::FILE* open_examined(const char* path) {
    // Opened in binary mode first: the C run-time would otherwise drop a final Ctrl-Z right
    // away, before the tool knows it will append (drop_end_of_file_mark does it then).
    int fd = _sopen(path, _O_RDWR | _O_BINARY, _SH_DENYNO);
    if (fd < 0) return nullptr;
    struct _stat64 info;
    if (_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG ||
        GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd))) != FILE_TYPE_DISK) {
        _close(fd);
        errno = EINVAL;
        return nullptr;
    }
    std::FILE* stream = _fdopen(fd, "r+b");
    if (stream == nullptr) {
        _close(fd);
        return nullptr;
    }
    std::setvbuf(stream, nullptr, _IONBF, 0);
    return stream;
}

bool drop_end_of_file_mark(std::FILE* stream) {
    // A text file opened for update loses one Ctrl-Z (0x1A) that ends it, so that what is
    // appended can be read; then the stream reads and writes as text.
    int fd = _fileno(stream);
    __int64 length = _lseeki64(fd, 0, SEEK_END);
    if (length > 0) {
        char last = 0;
        if (_lseeki64(fd, length - 1, SEEK_SET) < 0 || _read(fd, &last, 1) != 1) return false;
        if (last == 0x1A && _chsize_s(fd, length - 1) != 0) return false;
    }
    if (_lseeki64(fd, 0, SEEK_SET) != 0) return false;
    _setmode(fd, _O_TEXT);
    return true;
}

bool same_file(std::FILE* a, std::FILE* b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    if (!GetFileInformationByHandle(os_handle(a), &first) ||
        !GetFileInformationByHandle(os_handle(b), &second)) {
        return false;
    }
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

bool truncate_file(std::FILE* stream, std::int64_t length) {
    errno = _chsize_s(_fileno(stream), length);
    return errno == 0;
}

int seek_to_end(std::FILE* stream) {
    return _fseeki64(stream, 0, SEEK_END);
}
std::int64_t tell(std::FILE* stream) {
    return _ftelli64(stream);
}

}  // namespace platform

#else

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::FILE* open_findings_locked(const char* path) {
    int fd = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    std::FILE* stream = locked == 0 ? ::fdopen(fd, "r+") : nullptr;
    if (stream == nullptr) {
        int saved = errno;
        ::close(fd);
        errno = saved;
    }
    return stream;
}

std::FILE* open_examined(const char* path) {
    // O_NONBLOCK so that opening a FIFO never waits for a writer; it is refused just after.
    int fd = ::open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return nullptr;
    }
    int flags = ::fcntl(fd, F_GETFL);
    std::FILE* stream = nullptr;
    if (flags != -1 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) stream = ::fdopen(fd, "r+");
    if (stream == nullptr) {
        int saved = errno;
        ::close(fd);
        errno = saved;
        return nullptr;
    }
    std::setvbuf(stream, nullptr, _IONBF, 0);
    return stream;
}

bool drop_end_of_file_mark(std::FILE*) {
    return true;
}  // POSIX files have no such mark

bool same_file(std::FILE* a, std::FILE* b) {
    struct stat first, second;
    if (::fstat(::fileno(a), &first) != 0 || ::fstat(::fileno(b), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool truncate_file(std::FILE* stream, std::int64_t length) {
    int result;
    do {
        result = ::ftruncate(::fileno(stream), static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

int seek_to_end(std::FILE* stream) {
    return ::fseeko(stream, 0, SEEK_END);
}
std::int64_t tell(std::FILE* stream) {
    return static_cast<std::int64_t>(::ftello(stream));
}

}  // namespace platform

#endif
