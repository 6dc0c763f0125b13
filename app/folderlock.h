#pragma once
// The single-copy lock of a data folder: an advisory lock on the file karv20.lock inside it,
// held while the object lives. The system drops the lock when its holder ends in any way (a
// crash or a kill at any moment included), so nothing written in the file can keep a later
// copy out, and copies agree on one lock whatever their environment, as long as they share
// the folder.

#include <QString>

#include <memory>

class QLockFile;

namespace karv {

class FolderLock {
public:
    enum class State {
        Held,           // this object holds the folder
        HeldElsewhere,  // another live holder has it
        Unavailable,    // the folder cannot hold a lock (read-only, missing, a file, ...)
    };

    explicit FolderLock(const QString &folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    State state() const { return state_; }

    static constexpr char fileName[] = "karv20.lock";

private:
    State state_ = State::Unavailable;
    int fd_ = -1;
    std::unique_ptr<QLockFile> fallback_; // where there are no advisory locks on open files
};

} // namespace karv
