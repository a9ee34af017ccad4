// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/safe_write_p.h"

#include "core/file_name.h"
#include "core/system_error.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QRandomGenerator>
#include <QThread>

#include <attr/libattr.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <linux/fs.h>
#include <linux/magic.h>
#include <optional>
#include <pwd.h>
#include <set>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// As the kernel: a chain of more links than this is refused as a loop.
constexpr int kMaxLinks = 40;

// A descriptor closed when it goes.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return fd_; }
    void reset(int fd)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QString reasonFor(int code)
{
    return systemReason(code);
}

// Follows symbolic links from `path` to the name that is to be written; 0,
// or the error number of a loop, a chain too long or an unreadable link.
int followLinks(QByteArray &path)
{
    for (int links = 0;; ++links) {
        struct stat st = {};
        if (::lstat(path.constData(), &st) != 0)
            return errno == ENOENT ? 0 : errno; // a new file, or what opening it will say
        if (!S_ISLNK(st.st_mode))
            return 0;
        if (links == kMaxLinks)
            return ELOOP;
        QByteArray target(qsizetype(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(path.constData(), target.data(), size_t(target.size()));
        if (length < 0)
            return errno;
        if (length >= target.size())
            return ENAMETOOLONG; // the link changed while read
        target.truncate(length);
        path = target.startsWith('/') ? target : folderOf(path) + '/' + target;
    }
}

bool writeAllTo(int fd, const QByteArray &bytes, int *code)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            *code = written < 0 ? errno : ENOSPC;
            return false;
        }
        done += written;
    }
    return true;
}

// SIGPIPE from a pipe whose reader has gone would end the program: while
// one lives, a write to it fails with EPIPE instead.
class BrokenPipesReported
{
public:
    BrokenPipesReported()
    {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGPIPE, &ignore, &former_);
    }
    ~BrokenPipesReported() { ::sigaction(SIGPIPE, &former_, nullptr); }
    BrokenPipesReported(const BrokenPipesReported &) = delete;
    BrokenPipesReported &operator=(const BrokenPipesReported &) = delete;

private:
    struct sigaction former_ = {};
};

// A device or a named pipe, written as it is.
bool writeStream(const QByteArray &path, bool pipe, const QByteArray &bytes, QString *error)
{
    // Not blocking while opening: a pipe nobody reads fails at once instead
    // of freezing the program.
    Descriptor fd(::open(path.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        *error = errno == ENXIO && pipe ? QStringLiteral("Ningún programa lee de la tubería.") : reasonFor(errno);
        return false;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        *error = reasonFor(errno);
        return false;
    }
    BrokenPipesReported reported;
    int code = 0;
    if (!writeAllTo(fd.get(), bytes, &code)) {
        *error = reasonFor(code);
        return false;
    }
    return true;
}

// The descriptor a name stands for (/dev/stdout, /dev/stderr, /dev/fd/N,
// /proc/self/fd/N), or -1. Such a name is written through the descriptor
// the process already has: a pipe, a terminal, or a file the shell opened
// (for appending, perhaps), which opening the name anew or replacing it
// would not keep.
int descriptorNamed(const QByteArray &path)
{
    if (path == "/dev/stdout")
        return 1;
    if (path == "/dev/stderr")
        return 2;
    for (const char *prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.startsWith(prefix))
            continue;
        bool number = false;
        const int fd = path.mid(qsizetype(std::strlen(prefix))).toInt(&number);
        return number && fd >= 0 ? fd : -1;
    }
    return -1;
}

// Attributes the system keeps for itself or that belong to other systems
// (the file's own ACL is kept: it is no such attribute).
int attributeToKeep(const char *name, struct error_context *context)
{
    return attr_copy_action(name, context) != ATTR_ACTION_SKIP;
}

std::set<std::string> attributeNames(int fd)
{
    std::set<std::string> names;
    const ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size <= 0)
        return names;
    std::string list(size_t(size), '\0');
    const ssize_t got = ::flistxattr(fd, list.data(), list.size());
    for (size_t at = 0; got > 0 && at < size_t(got); at += std::strlen(list.c_str() + at) + 1)
        names.insert(list.c_str() + at);
    return names;
}

// Whether the file holds an attribute a temporary cannot be given: one
// /etc/xattr.conf says to skip, or file capabilities, which the system
// clears once the temporary is written.
bool holdsAttributeNotGiven(int fd)
{
    for (const std::string &name : attributeNames(fd))
        if (!attributeToKeep(name.c_str(), nullptr) || name == "security.capability")
            return true;
    return false;
}

// The attributes a replacement must carry, as names.
std::set<std::string> keptAttributeNames(int fd)
{
    std::set<std::string> kept;
    for (const std::string &name : attributeNames(fd))
        if (attributeToKeep(name.c_str(), nullptr))
            kept.insert(name);
    return kept;
}

// File systems that keep trusted.* attributes, which only root sees.
bool keepsHiddenAttributes(long type)
{
    switch (type) {
    case EXT4_SUPER_MAGIC: // ext2 and ext3 too
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case F2FS_SUPER_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

// Files the system makes up as they are read: their size is not their
// content, and a table written over one is nobody's.
bool madeUpBySystem(const QByteArray &path)
{
    struct statfs fs = {};
    if (::statfs(path.constData(), &fs) != 0)
        return false;
    switch (fs.f_type) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case BPF_FS_MAGIC:
    case PSTOREFS_MAGIC:
    case EFIVARFS_MAGIC:
    case SELINUX_MAGIC:
    case SMACK_MAGIC:
        return true;
    default:
        return false;
    }
}

// Whether replacing the file by a temporary loses nothing the file or its
// folder had: false for an append-only or immutable folder (the rename is
// refused, and the temporary could not be removed), a file mounted on its
// own (a bind mount: the rename is refused), an attribute a temporary
// cannot be given, and, for a caller who is not root, a file system where
// the file may hold trusted.* attributes the caller cannot see to copy.
bool replacementLosesNothing(const QByteArray &path)
{
    const QByteArray folderPath = folderOf(path);
    Descriptor folder(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
    long flags = 0;
    if (folder.get() >= 0 && ::ioctl(folder.get(), FS_IOC_GETFLAGS, &flags) == 0
        && (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0)
        return false;
    struct statx file = {}, parent = {};
    if (::statx(AT_FDCWD, path.constData(), 0, STATX_MNT_ID, &file) == 0) {
        if ((file.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (file.stx_attributes & STATX_ATTR_MOUNT_ROOT))
            return false;
        if (::statx(AT_FDCWD, folderPath.constData(), 0, STATX_MNT_ID, &parent) == 0
            && (file.stx_mask & parent.stx_mask & STATX_MNT_ID) && file.stx_mnt_id != parent.stx_mnt_id)
            return false;
    }
    Descriptor source(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (source.get() >= 0 && holdsAttributeNotGiven(source.get()))
        return false;
    struct statfs fs = {};
    return ::geteuid() == 0 || ::statfs(path.constData(), &fs) != 0 || !keepsHiddenAttributes(long(fs.f_type));
}

// Gives the temporary `replacement` everything the former file had: owner
// and group, mode, and every extended attribute (its ACL among them); takes
// from it what the folder gave it and the former file had not (an
// inherited ACL). False when any of it cannot be given.
bool keepMetadata(const QByteArray &formerPath, const struct stat &former, int replacement)
{
    struct stat made = {};
    if (::fstat(replacement, &made) != 0)
        return false;
    if ((made.st_uid != former.st_uid || made.st_gid != former.st_gid)
        && ::fchown(replacement, former.st_uid, former.st_gid) != 0)
        return false;
    Descriptor source(::open(formerPath.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (source.get() < 0)
        return false;
    if (attr_copy_fd(formerPath.constData(), source.get(), "", replacement, attributeToKeep, nullptr) != 0)
        return false;
    const std::set<std::string> kept = attributeNames(source.get());
    for (const std::string &name : attributeNames(replacement))
        if (!kept.count(name) && attributeToKeep(name.c_str(), nullptr)
            && ::fremovexattr(replacement, name.c_str()) != 0)
            return false;
    // Last: a new owner clears the set-id bits, and with an ACL the mode's
    // group bits are its mask, which the ACL just copied already holds.
    if (::fchmod(replacement, former.st_mode & 07777) != 0 || ::fstat(replacement, &made) != 0)
        return false;
    return (made.st_mode & 07777) == (former.st_mode & 07777);
}

enum class Replacement { Done, NotWithoutLoss, Failed };

// A temporary in `folder`, given a name where it was made without one, that
// goes with the object unless it took the file's name.
class Temporary
{
public:
    explicit Temporary(int folder) : folder_(folder) {}
    ~Temporary()
    {
        if (!named_.isEmpty())
            ::unlinkat(folder_, named_.constData(), 0);
    }
    Temporary(const Temporary &) = delete;
    Temporary &operator=(const Temporary &) = delete;

    int fd() const { return fd_.get(); }

    // Without a name where the file system can (nothing to leave behind);
    // else with one. `errno` tells a failure.
    bool create(mode_t mode, bool *folderRefuses)
    {
        if (!save_steps::injectedFailure(SaveStep::AnonymousTemporary)) {
            fd_.reset(::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
            if (fd_.get() >= 0)
                return true;
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
                *folderRefuses = true;
                return false;
            }
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray candidate = uniqueName();
            fd_.reset(::openat(folder_, candidate.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode));
            if (fd_.get() >= 0) {
                named_ = candidate;
                if (save_steps::injectedFailure(SaveStep::NamedTemporary)) {
                    errno = EIO;
                    return false;
                }
                return true;
            }
            if (errno != EEXIST) {
                *folderRefuses = true;
                return false;
            }
        }
        return false;
    }

    // Moves the temporary to `name`, replacing what is there.
    bool takeName(const QByteArray &name)
    {
        if (named_.isEmpty()) {
            // A name first, then the rename: Linux cannot link a file over
            // an existing name. Only a SIGKILL between the two calls can
            // leave the name behind.
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_.get());
            for (int attempt = 0; attempt < 100 && named_.isEmpty(); ++attempt) {
                const QByteArray candidate = uniqueName();
                if (::linkat(AT_FDCWD, self.constData(), folder_, candidate.constData(), AT_SYMLINK_FOLLOW) == 0
                    || ::linkat(fd_.get(), "", folder_, candidate.constData(), AT_EMPTY_PATH) == 0)
                    named_ = candidate;
                else if (errno != EEXIST)
                    return false;
            }
            if (named_.isEmpty())
                return false;
        }
        if (::renameat(folder_, named_.constData(), folder_, name.constData()) != 0)
            return false;
        named_.clear();
        return true;
    }

private:
    // Short, whatever the file's name: a name of 255 bytes still saves.
    static QByteArray uniqueName()
    {
        static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        QByteArray random(8, 'X');
        for (char &c : random)
            c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        return ".vandrel-" + random + ".tmp";
    }

    int folder_;
    Descriptor fd_;
    QByteArray named_;
};

// A rename the folder refuses though the file may be written: a mount
// point, an append-only or sticky folder, another file system, too many
// links, a name too long.
bool renameRefusedForTheFolder(int code)
{
    return code == EBUSY || code == EPERM || code == EACCES || code == EXDEV || code == EMLINK || code == ENAMETOOLONG;
}

// Replaces the file at `path` (or makes it, when `former` is null) whole:
// NotWithoutLoss, with nothing touched, when the folder takes no temporary,
// the temporary cannot be given what the former file had, or the folder
// refuses the rename.
Replacement replaceWhole(const QByteArray &path, const struct stat *former, const QByteArray &bytes, QString *error)
{
    const QByteArray folderPath = folderOf(path), name = nameOf(path);
    Descriptor folder(::open(folderPath.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0) {
        *error = reasonFor(errno);
        return Replacement::Failed;
    }
    Temporary temporary(folder.get());
    bool folderRefuses = false;
    // A new file is made as any program makes one (umask, the folder's
    // default ACL); a replacement is given the former file's own below.
    if (!temporary.create(former ? 0600 : 0666, &folderRefuses)) {
        *error = reasonFor(errno);
        return folderRefuses ? Replacement::NotWithoutLoss : Replacement::Failed;
    }
    if (former && !keepMetadata(path, *former, temporary.fd()))
        return Replacement::NotWithoutLoss;
    int code = 0;
    if (!writeAllTo(temporary.fd(), bytes, &code) || ::fsync(temporary.fd()) != 0) {
        *error = reasonFor(code ? code : errno);
        return Replacement::Failed;
    }
    if (former) { // once more: a write clears some (file capabilities)
        Descriptor source(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (source.get() < 0 || keptAttributeNames(source.get()) != keptAttributeNames(temporary.fd()))
            return Replacement::NotWithoutLoss;
    }
    if (save_steps::injectedFailure(SaveStep::TemporaryWritten)) {
        *error = save_steps::injectedFailureText();
        return Replacement::Failed;
    }
    if (file_system::signalArrived()) {
        *error = QStringLiteral("Guardado interrumpido. No se ha escrito nada.");
        return Replacement::Failed;
    }
    if (!temporary.takeName(name)) {
        const int refused = errno;
        *error = reasonFor(refused);
        return former && renameRefusedForTheFolder(refused) ? Replacement::NotWithoutLoss : Replacement::Failed;
    }
    file_system::syncFolder(nameFromSystem(std::string_view(folderPath.constData(), size_t(folderPath.size()))));
    return Replacement::Done;
}

enum class Locking { Held, Busy, Unsupported };

// Takes the lock of one save on the open file `fd`: shared for a
// replacement, exclusive for a write in place. Waits a short while for
// another save's lock; a file system without locks saves without one.
Locking lockForSaving(int fd, bool exclusive)
{
    struct flock lock = {};
    lock.l_type = exclusive ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    const QDeadlineTimer deadline(save_steps::kLockWaitMs);
    for (;;) {
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0)
            return Locking::Held;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EACCES)
            return Locking::Unsupported;
        if (deadline.hasExpired() || file_system::signalArrived())
            return Locking::Busy;
        QThread::msleep(20);
    }
}

bool sameFile(int fd, const QByteArray &path)
{
    struct stat open = {}, named = {};
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
           && open.st_ino == named.st_ino;
}

volatile sig_atomic_t arrivedSignal = 0;
constexpr int kHeldSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction formerActions[std::size(kHeldSignals)];
struct sigaction formerFileSizeAction;

extern "C" void noteSignal(int number)
{
    arrivedSignal = number;
}

} // namespace

namespace file_system {

bool writeByRule(const QString &path, const QByteArray &bytes, QString *error)
{
    QByteArray target = systemName(path);
    if (target.isEmpty()) {
        *error = reasonFor(ENOENT);
        return false;
    }
    if (const int fd = descriptorNamed(target); fd >= 0) {
        std::fflush(nullptr); // what stdio holds for it goes first
        int code = 0;         // a reader gone ends the process by SIGPIPE, as with "-"
        if (!writeAllTo(fd, bytes, &code)) {
            *error = reasonFor(code);
            return false;
        }
        return true;
    }
    if (const int code = followLinks(target)) {
        *error = reasonFor(code);
        return false;
    }
    std::optional<SignalsHeld> held;
    // Another save may replace the file while this one waits for its lock:
    // the file the name then gives is looked at afresh.
    for (int attempt = 0;; ++attempt) {
        struct stat former = {};
        const bool exists = ::stat(target.constData(), &former) == 0;
        if (!exists && errno != ENOENT) {
            *error = reasonFor(errno);
            return false;
        }
        if (exists) {
            if (S_ISDIR(former.st_mode)) {
                *error = folderGivenMessage();
                return false;
            }
            if (S_ISSOCK(former.st_mode)) {
                *error = QStringLiteral("Es un socket: no se puede escribir en él como en un archivo.");
                return false;
            }
            if (madeUpBySystem(target)) {
                *error = QStringLiteral("Es un archivo que el sistema genera al leerlo (/proc, /sys), no un archivo "
                                        "de datos: no se ha escrito nada.");
                return false;
            }
            if (!S_ISREG(former.st_mode))
                return writeStream(target, S_ISFIFO(former.st_mode), bytes, error);
            if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0) {
                *error = reasonFor(errno);
                return false;
            }
        }
        if (!held)
            held.emplace();
        if (!exists)
            return replaceWhole(target, nullptr, bytes, error) == Replacement::Done;

        bool inPlace = former.st_nlink > 1 || !replacementLosesNothing(target);
        Descriptor lock(::open(target.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
        if (lock.get() >= 0) {
            if (lockForSaving(lock.get(), inPlace) == Locking::Busy) {
                *error = signalArrived() ? QStringLiteral("Guardado interrumpido. No se ha escrito nada.")
                                         : save_steps::busyMessage();
                return false;
            }
            if (!sameFile(lock.get(), target) && attempt < 10)
                continue;
        }
        if (save_steps::injectedFailure(SaveStep::Locked)) {
            *error = save_steps::injectedFailureText();
            return false;
        }
        if (!inPlace) {
            const Replacement replaced = replaceWhole(target, &former, bytes, error);
            if (replaced != Replacement::NotWithoutLoss)
                return replaced == Replacement::Done;
            inPlace = true;
            if (lock.get() >= 0 && lockForSaving(lock.get(), true) == Locking::Busy) {
                *error = save_steps::busyMessage();
                return false;
            }
        }
        error->clear();
        return save_steps::writeInPlace(nameFromSystem(std::string_view(target.constData(), size_t(target.size()))),
                                        bytes, error);
    }
}

QStringList backupFolderCandidates()
{
    const QString name = QStringLiteral("vandrel-exp-editor");
    QStringList candidates;
    // The XDG rules: a relative XDG_CACHE_HOME is ignored.
    const QByteArray cache = qgetenv("XDG_CACHE_HOME");
    if (cache.startsWith('/'))
        candidates << QDir(QFile::decodeName(cache)).filePath(name);
    // The account's own home, not $HOME: under sudo -E that is another's,
    // and unset under cron it would be the root folder.
    std::string buffer(16384, '\0');
    struct passwd entry = {}, *found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir
        && found->pw_dir[0] == '/' && found->pw_dir[1] != '\0')
        candidates << QDir(QFile::decodeName(found->pw_dir)).filePath(QStringLiteral(".cache/") + name);
    candidates << QStringLiteral("/var/tmp/%1-%2").arg(name).arg(::geteuid());
    return candidates;
}

bool makePrivateFolder(const QString &folder)
{
    const QByteArray path = QFile::encodeName(QDir::cleanPath(folder));
    // Root makes nothing inside a folder of another account's (a home
    // reached through sudo -E would then hold a folder its owner cannot use).
    QByteArray existing = path;
    struct stat st = {};
    while (::lstat(existing.constData(), &st) != 0 && existing != "/")
        existing = folderOf(existing);
    if (existing != path) {
        if (::geteuid() == 0 && st.st_uid != 0)
            return false;
        for (qsizetype at = existing.size() + 1; at <= path.size(); ++at)
            if (at == path.size() || path.at(at) == '/')
                if (::mkdir(path.left(at).constData(), 0700) != 0 && errno != EEXIST)
                    return false;
    }
    // The folder itself: the user's own, not a link, private.
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if ((st.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return false;
    return ::access(path.constData(), W_OK | X_OK) == 0;
}

bool reserveSpace(QFileDevice &file, qint64 size, QString *error)
{
    if (size <= 0)
        return true;
    // Blocks only: the file's size, and so its content, stay as they are
    // until the new content is written.
    if (::fallocate(file.handle(), FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0)
        return true;
    // A file system that cannot reserve at all leaves the write itself to
    // find a full disk, and the backup to undo it.
    if (errno == EOPNOTSUPP || errno == EINVAL || errno == ENOSYS)
        return true;
    *error = reasonFor(errno);
    return false;
}

bool syncFile(QFileDevice &file, QString *error)
{
    if (::fsync(file.handle()) == 0)
        return true;
    *error = reasonFor(errno);
    return false;
}

void syncFolder(const QString &folder)
{
    Descriptor fd(::open(systemName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get()); // a folder that cannot be synced was still written
}

SignalsHeld::SignalsHeld()
{
    arrivedSignal = 0;
    struct sigaction note = {};
    note.sa_handler = noteSignal;
    sigemptyset(&note.sa_mask);
    note.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kHeldSignals); ++i) {
        ::sigaction(kHeldSignals[i], nullptr, &formerActions[i]);
        if (formerActions[i].sa_handler != SIG_IGN) // an ignored signal stays ignored
            ::sigaction(kHeldSignals[i], &note, nullptr);
    }
    // A write past the file-size limit then fails with EFBIG, and the save
    // puts the former content back, instead of the process ending mid-line.
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, &formerFileSizeAction);
}

SignalsHeld::~SignalsHeld()
{
    ::sigaction(SIGXFSZ, &formerFileSizeAction, nullptr);
    for (size_t i = 0; i < std::size(kHeldSignals); ++i)
        ::sigaction(kHeldSignals[i], &formerActions[i], nullptr);
    if (const int number = arrivedSignal) {
        arrivedSignal = 0;
        ::raise(number); // as it would have come: the process ends with it
    }
}

bool signalArrived()
{
    return arrivedSignal != 0;
}

} // namespace file_system
