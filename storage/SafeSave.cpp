#include "storage/SafeSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <utility>

namespace {

using Outcome = SaveResult::Outcome;

// On a road that has already failed, or after only reading, a failed close adds nothing to
// what is reported.
void closeQuietly(int fd)
{
    if (fd >= 0) {
        const int ignored = ::close(fd);
        (void)ignored;
    }
}

/// An open file descriptor, closed when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor &operator=(Descriptor &&other) noexcept
    {
        closeQuietly(std::exchange(fd_, std::exchange(other.fd_, -1)));
        return *this;
    }
    ~Descriptor() { closeQuietly(fd_); }

    int get() const { return fd_; }
    /// Closes it now. Some file systems (NFS) report a failed write only here.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_;
};

/// A name in the folder that this save made, removed again unless it was renamed.
class TemporaryName {
  public:
    explicit TemporaryName(int folder) : folder_(folder) {}
    TemporaryName(const TemporaryName &) = delete;
    TemporaryName &operator=(const TemporaryName &) = delete;
    ~TemporaryName()
    {
        // Nothing more can be done about a name that will not go; the save is reported
        // failed all the same.
        if (!name_.empty()) {
            const int ignored = unlinkat(folder_, name_.c_str(), 0);
            (void)ignored;
        }
    }

    void set(std::string name) { name_ = std::move(name); }
    const char *name() const { return name_.c_str(); }
    /// It has been renamed: there is nothing to remove.
    void renamed() { name_.clear(); }

  private:
    int folder_;
    std::string name_;
};

/// Writes to a file descriptor, taking every byte; keeps the reason of a refusal.
class DescriptorSink : public ByteSink {
  public:
    explicit DescriptorSink(int fd) : fd_(fd) {}

    bool write(const char *data, std::size_t size) override
    {
        while (size > 0) {
            const ssize_t written = ::write(fd_, data, size);
            if (written <= 0) {
                if (written < 0 && errno == EINTR)
                    continue;
                error_ = written < 0 ? errno : EIO;
                return false;
            }
            data += written;
            size -= std::size_t(written);
            done_ += written;
        }
#ifdef __linux__
        // Starts the disk on what is written while the rest is still being gathered, so that
        // the final sync has little left to wait for. Only a hint: its result does not matter.
        constexpr off_t step = off_t(8) << 20;
        if (done_ - started_ >= step) {
            (void)sync_file_range(fd_, started_, done_ - started_, SYNC_FILE_RANGE_WRITE);
            started_ = done_;
        }
#endif
        return true;
    }

    int error() const
    {
        return error_;
    }

  private:
    int fd_;
    int error_ = 0;
    off_t done_ = 0, started_ = 0;
};

std::string folderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where the chain of symbolic links at `path` ends; the end need not exist yet.
bool followLinks(std::string &path, int &error)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0) {
            if (errno == ENOENT)
                return true;
            error = errno;
            return false;
        }
        if (!S_ISLNK(st.st_mode))
            return true;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || std::size_t(length) == target.size()) {
            error = length < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        target.resize(std::size_t(length));
        path = target.front() == '/' ? target : folderOf(path) + '/' + target;
    }
    error = ELOOP;
    return false;
}

// `stem` and a random suffix, the stem cut short where the name would pass the file system's
// limit, so that any name whose backup name fits can be saved.
std::string beside(const std::string &stem)
{
    static std::mt19937 random{std::random_device{}()};
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", unsigned(random()));
    return stem.substr(0, NAME_MAX - std::strlen(suffix)) + suffix;
}

// Creates the new file `stem` + a random suffix in `folder` for writing. Never an existing
// name, so never through a symbolic link. -1 with errno on failure.
int createBeside(int folder, const std::string &stem, mode_t mode, TemporaryName &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = beside(stem);
        const int fd =
            openat(folder, candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            name.set(std::move(candidate));
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

// Gives `from` a second name `stem` + a random suffix in `folder`; false with errno.
bool linkBeside(int fromFolder, const std::string &from, int flags, int folder,
                const std::string &stem, TemporaryName &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = beside(stem);
        if (linkat(fromFolder, from.c_str(), folder, candidate.c_str(), flags) == 0) {
            name.set(std::move(candidate));
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// The file behind `fd` takes the owner, group and permissions of `old`, as far as the user may
// give them: the group also where the owner cannot be given. A group that cannot be kept gets
// no more than everyone else, as its members had before. A file system that holds none of
// these (vfat) refuses with EPERM, as does giving a file away without the right to: neither
// fails a save.
bool takeOwnerAndMode(int fd, const struct stat &old, int &error)
{
    struct stat now {};
    if (fstat(fd, &now) != 0) {
        error = errno;
        return false;
    }
    bool groupKept = now.st_gid == old.st_gid;
    if (now.st_uid != old.st_uid || !groupKept) {
        if (fchown(fd, old.st_uid, old.st_gid) == 0 ||
            (errno == EPERM && !groupKept && fchown(fd, uid_t(-1), old.st_gid) == 0))
            groupKept = true;
        else if (errno != EPERM) {
            error = errno;
            return false;
        }
    }
    mode_t mode = old.st_mode & 07777;
    if (!groupKept)
        mode = (mode & ~mode_t(S_IRWXG)) | (mode & S_IRWXO) << 3;
    if (fchmod(fd, mode) != 0 && errno != EPERM && errno != EOPNOTSUPP) {
        error = errno;
        return false;
    }
    return true;
}

// A synced copy of `name` under a name of its own, for a file system without hard links.
bool copyBeside(int folder, const std::string &name, const struct stat &old,
                const std::string &stem, TemporaryName &copy, int &error)
{
    Descriptor from(openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (from.get() < 0) {
        error = errno;
        return false;
    }
    Descriptor to(createBeside(folder, stem, old.st_mode & 0777, copy));
    if (to.get() < 0) {
        error = errno;
        return false;
    }
    if (!takeOwnerAndMode(to.get(), old, error))
        return false;
    // In blocks: a file of a million records is a few hundred megabytes.
    constexpr std::size_t blockSize = std::size_t(1) << 20;
    const std::unique_ptr<char[]> block(new char[blockSize]);
    DescriptorSink sink(to.get());
    for (;;) {
        const ssize_t got = read(from.get(), block.get(), blockSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = errno;
            return false;
        }
        if (got == 0)
            break;
        if (!sink.write(block.get(), std::size_t(got))) {
            error = sink.error();
            return false;
        }
    }
    if (fdatasync(to.get()) != 0 || !to.close()) {
        error = errno;
        return false;
    }
    return true;
}

// Keeps the old file as `backupName` as well: a second name where the file system has hard
// links, which costs nothing whatever the size, else a synced copy. Either is made under a
// name of its own and renamed over the old backup, which replaces whatever stood there (a
// read-only file, a symbolic link) and never writes into it.
bool keepPreviousVersion(int folder, const std::string &name, const struct stat &old,
                         const std::string &backupName, int &error)
{
    struct stat backup {};
    if (fstatat(folder, backupName.c_str(), &backup, AT_SYMLINK_NOFOLLOW) == 0 &&
        backup.st_dev == old.st_dev && backup.st_ino == old.st_ino)
        // Already a second name of the old file, which it keeps once the new file takes the
        // other name. A rename of another name of it over this one would do nothing at all.
        return true;
    TemporaryName kept(folder);
    if (!linkBeside(folder, name, 0, folder, backupName, kept) &&
        !copyBeside(folder, name, old, backupName, kept, error))
        return false;
    if (renameat(folder, kept.name(), folder, backupName.c_str()) != 0) {
        error = errno;
        return false;
    }
    kept.renamed();
    return true;
}

// Where a plain write over the old file would be refused, so is the save, before anything is
// written: a file the user may not write (its mode, an access list, a read-only mount; root may
// write any), and in a folder with the sticky bit another user's file, which no rename by
// this user may replace. 0, or the reason.
int refusalOf(int folder, const std::string &name, const struct stat &old)
{
    struct stat dir {};
    if (faccessat(folder, name.c_str(), W_OK, AT_EACCESS) != 0 || fstat(folder, &dir) != 0)
        return errno;
    const uid_t user = geteuid();
    if ((dir.st_mode & S_ISVTX) && user != 0 && old.st_uid != user && dir.st_uid != user)
        return EPERM;
    return 0;
}

// The name in /proc by which a file without a name can be given one.
std::string procName(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

// Whether the file without a name behind `fd` can be named: not where /proc is missing, as in
// some containers and chroots.
bool canBeNamed(int fd)
{
    const Descriptor viaProc(openat(AT_FDCWD, procName(fd).c_str(), O_PATH | O_CLOEXEC));
    struct stat reached = {}, file = {};
    return viaProc.get() >= 0 && fstat(viaProc.get(), &reached) == 0 && fstat(fd, &file) == 0 &&
           reached.st_dev == file.st_dev && reached.st_ino == file.st_ino;
}

} // namespace

SaveResult saveSafely(const std::string &path,
                      const std::function<bool(const FileIdentity &)> &mayReplaceFile,
                      const std::function<bool(ByteSink &)> &write,
                      const std::function<bool()> &mayUseBytes)
{
    SaveResult result;
    result.file = path;
    const auto endWith = [&result](Outcome outcome, int error) {
        result.outcome = outcome;
        result.error = error;
        return result;
    };

    int error = 0;
    if (!followLinks(result.file, error))
        return endWith(Outcome::Failed, error);
    result.backup = result.file + '~';
    const std::string name = nameOf(result.file);
    if (name.empty() || name == "." || name == "..")
        return endWith(Outcome::NotRegular, EISDIR);
    // Every name below is taken in this folder, wherever the current directory is. A folder
    // that the user may write and enter but not list (a drop box) opens only as a path, which
    // serves every call below but the folder's sync.
    const std::string folderName = folderOf(result.file);
    Descriptor folder(open(folderName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const bool listable = folder.get() >= 0;
    if (!listable && errno == EACCES)
        folder = Descriptor(open(folderName.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        return endWith(Outcome::Failed, errno);
    struct stat old {};
    const bool existed = fstatat(folder.get(), name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!existed && errno != ENOENT)
        return endWith(Outcome::Failed, errno);
    // A device such as /dev/full is no place for a database, and the new file would be
    // renamed over the device itself.
    if (existed && !S_ISREG(old.st_mode))
        return endWith(Outcome::NotRegular, 0);
    if (const int refused = existed ? refusalOf(folder.get(), name, old) : 0)
        return endWith(Outcome::Failed, refused);
    if (existed && !mayReplaceFile(FileIdentity{old.st_dev, old.st_ino}))
        return endWith(Outcome::Cancelled, 0);

    // A file without a name leaves nothing behind when the program is killed while writing.
    // Where the file system cannot make one (vfat), or nothing could name it later, a temporary
    // name is used from the start.
    TemporaryName temporary(folder.get());
    const mode_t mode = existed ? old.st_mode & 0777 : 0666;
    Descriptor file(openat(folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    const bool unnamed = file.get() >= 0 && canBeNamed(file.get());
    if (!unnamed)
        file = Descriptor(createBeside(folder.get(), name, mode, temporary));
    if (file.get() < 0)
        return endWith(Outcome::Failed, errno);

    DescriptorSink sink(file.get());
    if (!write(sink))
        return endWith(Outcome::Failed, sink.error() ? sink.error() : EIO);
    if (!mayUseBytes())
        return endWith(Outcome::Cancelled, 0);
    if (existed && !takeOwnerAndMode(file.get(), old, error))
        return endWith(Outcome::Failed, error);
    // Nothing that is there now changes before every byte is on the disk and the new file has
    // a name of its own.
    if (fdatasync(file.get()) != 0)
        return endWith(Outcome::Failed, errno);
    if (unnamed && !linkBeside(AT_FDCWD, procName(file.get()), AT_SYMLINK_FOLLOW, folder.get(),
                               name, temporary))
        return endWith(Outcome::Failed, errno);
    if (existed && !keepPreviousVersion(folder.get(), name, old, name + '~', error))
        return endWith(Outcome::BackupFailed, error);
    // A folder open only as a path cannot be synced; the new file's whole file system is,
    // through a descriptor of the file kept past the rename.
    const Descriptor kept(listable ? -1 : fcntl(file.get(), F_DUPFD_CLOEXEC, 0));
    if (!listable && kept.get() < 0)
        return endWith(Outcome::Failed, errno);
    const std::optional<FileIdentity> written = identityOf(file.get());
    if (!file.close())
        return endWith(Outcome::Failed, errno);
    if (renameat(folder.get(), temporary.name(), folder.get(), name.c_str()) != 0)
        return endWith(Outcome::Failed, errno);
    temporary.renamed();
    result.written = written;
    // The renames are on the disk only once the folder is. Some file systems cannot sync a
    // folder at all (EINVAL); there is nothing more to do on them.
    if ((listable ? fsync(folder.get()) : syncfs(kept.get())) != 0 && errno != EINVAL)
        return endWith(Outcome::NotDurable, errno);
    return result;
}
