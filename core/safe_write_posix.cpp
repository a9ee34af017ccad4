// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/safe_write.h"

#include "core/file_name.h"
#include "core/system_error.h"

#include <QFile>
#include <QFileDevice>
#include <QRandomGenerator>

#include <attr/libattr.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <set>
#include <string>
#include <sys/stat.h>
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
    bool create(const QByteArray &name, mode_t mode, bool *folderRefuses)
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
            const QByteArray candidate = uniqueName(name);
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
                const QByteArray candidate = uniqueName(name);
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
    static QByteArray uniqueName(const QByteArray &name)
    {
        static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        QByteArray suffix(6, 'X');
        for (char &c : suffix)
            c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        return name + '.' + suffix;
    }

    int folder_;
    Descriptor fd_;
    QByteArray named_;
};

// Replaces the file at `path` (or makes it, when `former` is null) whole:
// NotWithoutLoss, with nothing touched, when the folder takes no temporary
// or the temporary cannot be given what the former file had.
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
    if (!temporary.create(name, former ? 0600 : 0666, &folderRefuses)) {
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
    if (save_steps::injectedFailure(SaveStep::TemporaryWritten)) {
        *error = save_steps::injectedFailureText();
        return Replacement::Failed;
    }
    if (file_system::signalArrived()) {
        *error = QStringLiteral("Guardado interrumpido. No se ha escrito nada.");
        return Replacement::Failed;
    }
    if (!temporary.takeName(name)) {
        *error = reasonFor(errno);
        return Replacement::Failed;
    }
    file_system::syncFolder(nameFromSystem(std::string_view(folderPath.constData(), size_t(folderPath.size()))));
    return Replacement::Done;
}

volatile sig_atomic_t arrivedSignal = 0;
constexpr int kHeldSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction formerActions[std::size(kHeldSignals)];

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
        if (!S_ISREG(former.st_mode))
            return writeStream(target, S_ISFIFO(former.st_mode), bytes, error);
        if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0) {
            *error = reasonFor(errno);
            return false;
        }
    }
    SignalsHeld held;
    if (!exists || former.st_nlink == 1) {
        const Replacement replaced = replaceWhole(target, exists ? &former : nullptr, bytes, error);
        if (replaced == Replacement::Done)
            return true;
        if (replaced == Replacement::Failed || !exists)
            return false;
    }
    error->clear();
    return save_steps::writeInPlace(nameFromSystem(std::string_view(target.constData(), size_t(target.size()))), bytes,
                                    error);
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
}

SignalsHeld::~SignalsHeld()
{
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
