#include "app/folderlock.h"

#include <QFile>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace karv {

#ifdef Q_OS_UNIX
namespace {

// Opens the lock file without waiting on whatever stands in its place; -1 with errno set.
int openLockFile(const char *path)
{
    const int flags = O_NOCTTY | O_NONBLOCK | O_CLOEXEC; // not inherited by programs the game starts
    int fd = ::open(path, O_RDWR | O_CREAT | flags, 0644);
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
        fd = ::open(path, O_RDONLY | flags); // a read-only file or folder can still be locked
    return fd;
}

bool sameFile(int fd, const char *path)
{
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 && ::stat(path, &named) == 0 && opened.st_dev == named.st_dev
           && opened.st_ino == named.st_ino;
}

} // namespace
#endif

FolderLock::FolderLock(const QString &folder)
{
    const QString path = folder + QLatin1Char('/') + QLatin1String(fileName);
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = openLockFile(native.constData());
        if (fd < 0 && errno == EACCES && attempt == 0) {
            // A lock file the player cannot even read is no one's lock (the game makes it
            // readable): put a fresh one in its place.
            if (::unlink(native.constData()) == 0)
                continue;
        }
        if (fd < 0)
            return; // Unavailable
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK)
                state_ = State::HeldElsewhere;
            return;
        }
        // The file may have been replaced between the open and the lock; only the file that
        // bears the name counts.
        if (sameFile(fd, native.constData())) {
            fd_ = fd;
            state_ = State::Held;
            return;
        }
        ::close(fd);
    }
#else
    fallback_ = std::make_unique<QLockFile>(path);
    if (fallback_->tryLock(0))
        state_ = State::Held;
    else if (fallback_->error() == QLockFile::LockFailedError)
        state_ = State::HeldElsewhere;
#endif
}

FolderLock::~FolderLock()
{
#ifdef Q_OS_UNIX
    if (fd_ >= 0)
        ::close(fd_);
#endif
}

} // namespace karv
