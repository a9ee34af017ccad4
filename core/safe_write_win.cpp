// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/safe_write_p.h"

#include "core/system_error.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileDevice>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <io.h>
#include <iterator>
#include <memory>
#include <windows.h>

namespace {

// A handle closed when it goes.
class Handle
{
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() { close(); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    void close()
    {
        if (valid())
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// "\\?\C:\x", "\\.\C:\x" and "\\?\UNC\server\share\x" as the same paths
// without their prefix (Qt adds its own where a path is long).
QString withoutPrefix(QString path)
{
    path = QDir::toNativeSeparators(path);
    if (path.startsWith(QStringLiteral("\\\\?\\UNC\\"), Qt::CaseInsensitive))
        return QStringLiteral("\\\\") + path.mid(8);
    if (path.startsWith(QStringLiteral("\\\\?\\")) || path.startsWith(QStringLiteral("\\\\.\\")))
        return path.mid(4);
    return path;
}

QString reasonFor(DWORD code, const QString &path)
{
    SetLastError(code);
    return systemFailure(path, systemReason(int(code)));
}

// The held-file reason where another program holds the file with no
// sharing: a refused replace says only "access denied".
QString refusalReason(DWORD code, const QString &path)
{
    if (code == ERROR_ACCESS_DENIED || code == ERROR_UNABLE_TO_REMOVE_REPLACED
        || code == ERROR_UNABLE_TO_MOVE_REPLACEMENT || code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        const Handle probe(
            CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.valid() && GetLastError() == ERROR_SHARING_VIOLATION)
            code = ERROR_SHARING_VIOLATION;
        else if (code != ERROR_ACCESS_DENIED)
            code = ERROR_ACCESS_DENIED;
    }
    return reasonFor(code, path);
}

bool writeAllTo(HANDLE handle, const QByteArray &bytes, DWORD *code)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const DWORD chunk = DWORD(std::min<qsizetype>(bytes.size() - done, qsizetype(1) << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.constData() + done, chunk, &written, nullptr) || written == 0) {
            *code = GetLastError();
            return false;
        }
        done += written;
    }
    return true;
}

// A device (NUL, COM1) or a pipe, written as it is.
bool writeStream(const QString &path, const QByteArray &bytes, QString *error)
{
    const Handle handle(CreateFileW(wide(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD code = 0;
    if (!handle.valid() || !writeAllTo(handle.get(), bytes, &code)) {
        *error = reasonFor(handle.valid() ? code : GetLastError(), path);
        return false;
    }
    return true;
}

// A temporary beside the file, marked for deletion while it is written:
// if the process ends before the replace, Windows removes it.
class Temporary
{
public:
    ~Temporary()
    {
        if (handle_)
            handle_->close(); // still marked for deletion: it goes
        else if (!name_.isEmpty() && !moved_)
            DeleteFileW(wide(name_));
    }

    // A short name beside the file, whatever the file's own.
    bool create(const QString &target, DWORD *code)
    {
        const QString folder = target.left(target.lastIndexOf(u'\\') + 1);
        for (int attempt = 0; attempt < 100; ++attempt) {
            name_ = folder
                    + QStringLiteral(".vandrel-%1.tmp")
                          .arg(QRandomGenerator::global()->bounded(1u << 30), 8, 36, QLatin1Char('0'));
            HANDLE handle =
                CreateFileW(wide(name_), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                *code = GetLastError();
                if (*code == ERROR_FILE_EXISTS || *code == ERROR_ALREADY_EXISTS)
                    continue;
                name_.clear();
                return false;
            }
            handle_ = std::make_unique<Handle>(handle);
            FILE_DISPOSITION_INFO dispose = {TRUE};
            SetFileInformationByHandle(handle, FileDispositionInfo, &dispose, sizeof dispose);
            if (save_steps::injectedFailure(SaveStep::NamedTemporary)) {
                *code = ERROR_IO_DEVICE;
                return false;
            }
            return true;
        }
        *code = ERROR_FILE_EXISTS;
        return false;
    }

    bool write(const QByteArray &bytes, DWORD *code)
    {
        if (!writeAllTo(handle_->get(), bytes, code))
            return false;
        if (!FlushFileBuffers(handle_->get())) {
            *code = GetLastError();
            return false;
        }
        return true;
    }

    // Unmarks and closes the temporary, ready to take the file's place.
    bool release(DWORD *code)
    {
        FILE_DISPOSITION_INFO keep = {FALSE};
        if (!SetFileInformationByHandle(handle_->get(), FileDispositionInfo, &keep, sizeof keep)) {
            *code = GetLastError();
            return false;
        }
        handle_->close();
        handle_.reset();
        return true;
    }

    const QString &name() const { return name_; }
    void moved() { moved_ = true; }

private:
    QString name_;
    std::unique_ptr<Handle> handle_;
    bool moved_ = false;
};

enum class Replacement { Done, NotWithoutLoss, Failed };

// The attributes a file's owner sets and a replacement must keep.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Replaces `target` (or makes it, when it does not exist) whole; ReplaceFileW
// gives the new file the former one's attributes, security and streams.
Replacement replaceWhole(const QString &target, bool exists, const QByteArray &bytes, QString *error)
{
    const DWORD formerAttributes = exists ? GetFileAttributesW(wide(target)) : INVALID_FILE_ATTRIBUTES;
    Temporary temporary;
    DWORD code = 0;
    if (!temporary.create(target, &code)) {
        *error = reasonFor(code, target);
        return code == ERROR_ACCESS_DENIED && exists ? Replacement::NotWithoutLoss : Replacement::Failed;
    }
    if (!temporary.write(bytes, &code)) {
        *error = reasonFor(code, target);
        return Replacement::Failed;
    }
    if (save_steps::injectedFailure(SaveStep::TemporaryWritten)) {
        *error = save_steps::injectedFailureText();
        return Replacement::Failed;
    }
    if (!temporary.release(&code)) {
        *error = reasonFor(code, target);
        return Replacement::Failed;
    }
    const bool replaced = exists ? ReplaceFileW(wide(target), wide(temporary.name()), nullptr,
                                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                                 : MoveFileExW(wide(temporary.name()), wide(target), MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        const DWORD refused = GetLastError();
        *error = refusalReason(refused, target);
        // Another volume, or a folder that takes a new file but no rename
        // over the old: the file itself may still be written.
        return exists && (refused == ERROR_NOT_SAME_DEVICE || refused == ERROR_UNABLE_TO_MOVE_REPLACEMENT)
                   ? Replacement::NotWithoutLoss
                   : Replacement::Failed;
    }
    temporary.moved();
    // Windows keeps them itself; Wine's replace does not.
    if (formerAttributes != INVALID_FILE_ATTRIBUTES) {
        const DWORD now = GetFileAttributesW(wide(target));
        if (now != INVALID_FILE_ATTRIBUTES && (now & kKeptAttributes) != (formerAttributes & kKeptAttributes))
            SetFileAttributesW(wide(target), (now & ~kKeptAttributes) | (formerAttributes & kKeptAttributes));
    }
    return Replacement::Done;
}

// Windows' device names, with or without an extension, in any folder.
QString deviceNameOf(const QString &path)
{
    const QString name = path.section(u'\\', -1).section(u'.', 0, 0).trimmed().toUpper();
    static const QStringList devices = [] {
        QStringList names{QStringLiteral("CON"), QStringLiteral("PRN"),    QStringLiteral("AUX"),
                          QStringLiteral("NUL"), QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
        for (int i = 1; i <= 9; ++i)
            names << QStringLiteral("COM%1").arg(i) << QStringLiteral("LPT%1").arg(i);
        return names;
    }();
    return devices.contains(name) ? name : QString();
}

// Waits a short while for a program that holds the file against its
// replacement (a server reading it: sharing reading and writing, not
// deletion) to let it go. False when it still holds it.
bool waitForHolder(const QString &target)
{
    const QDeadlineTimer deadline(save_steps::kLockWaitMs);
    for (;;) {
        const Handle probe(CreateFileW(wide(target), GENERIC_WRITE | DELETE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (probe.valid() || GetLastError() != ERROR_SHARING_VIOLATION)
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}

// One save's lock: a byte far past any table's end, so that it keeps other
// saves out without keeping readers or this save's own writes out. Shared
// for a replacement, exclusive for a write in place.
class SaveLock
{
public:
    explicit SaveLock(const QString &target)
        : handle_(CreateFileW(wide(target), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }

    // False when another save holds it past the wait.
    bool take(bool exclusive)
    {
        if (!handle_.valid())
            return true; // a file system without locks saves without one
        if (held_) {
            OVERLAPPED at = region();
            UnlockFileEx(handle_.get(), 0, 1, 0, &at);
            held_ = false;
        }
        const QDeadlineTimer deadline(save_steps::kLockWaitMs);
        for (;;) {
            OVERLAPPED at = region();
            if (LockFileEx(handle_.get(), LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0), 0, 1,
                           0, &at)) {
                held_ = true;
                return true;
            }
            const DWORD code = GetLastError();
            if (code != ERROR_LOCK_VIOLATION && code != ERROR_IO_PENDING)
                return true;
            if (deadline.hasExpired())
                return false;
            QThread::msleep(20);
        }
    }

    // Whether `target` still names the locked file (not replaced meanwhile).
    bool stillNames(const QString &target) const
    {
        BY_HANDLE_FILE_INFORMATION info = {};
        if (!handle_.valid() || !GetFileInformationByHandle(handle_.get(), &info))
            return true;
        const FileIdentity now = identityOf(target);
        return now.exists && now.device == info.dwVolumeSerialNumber
               && now.file == ((quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
    }

private:
    static OVERLAPPED region()
    {
        OVERLAPPED at = {};
        at.OffsetHigh = 0x40000000; // 2^62
        return at;
    }

    Handle handle_;
    bool held_ = false;
};

} // namespace

namespace file_system {

bool writeByRule(const QString &path, const QByteArray &bytes, QString *error)
{
    QString target = withoutPrefix(path);
    if (target.isEmpty()) {
        *error = reasonFor(ERROR_FILE_NOT_FOUND, path);
        return false;
    }
    // AUX, COM1 and the like name a device in every folder: a table "saved"
    // there is nowhere. NUL is written as the device it is, as /dev/null.
    if (const QString device = deviceNameOf(target); !device.isEmpty()) {
        if (device == QStringLiteral("NUL"))
            return writeStream(QStringLiteral("NUL"), bytes, error);
        *error =
            QStringLiteral("%1 es el nombre de un dispositivo de Windows, no de un archivo: no se ha escrito nada.")
                .arg(device);
        return false;
    }
    for (int attempt = 0;; ++attempt) {
        // Attributes only: a file another program holds open is still
        // looked at; links are followed to the file they name.
        const Handle look(CreateFileW(wide(target), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        const DWORD lookCode = look.valid() ? 0 : GetLastError();
        const bool exists = look.valid();
        if (!exists && lookCode != ERROR_FILE_NOT_FOUND) {
            *error = reasonFor(lookCode, target); // a loop of links among them
            return false;
        }
        if (!exists)
            return replaceWhole(target, false, bytes, error) == Replacement::Done;
        if (GetFileType(look.get()) != FILE_TYPE_DISK)
            return writeStream(target, bytes, error);
        bool shared = false;
        BY_HANDLE_FILE_INFORMATION info = {};
        if (GetFileInformationByHandle(look.get(), &info)) {
            if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                *error = folderGivenMessage();
                return false;
            }
            if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
                *error = QStringLiteral("El archivo es de solo lectura.");
                return false;
            }
            shared = info.nNumberOfLinks > 1;
        }
        wchar_t final[32768];
        const DWORD length = GetFinalPathNameByHandleW(look.get(), final, DWORD(std::size(final)), 0);
        if (length > 0 && length < std::size(final))
            target = withoutPrefix(QString::fromWCharArray(final, int(length)));
        SaveLock lock(target);
        if (!lock.take(shared)) {
            *error = save_steps::busyMessage();
            return false;
        }
        // Past another save of ours: a program that holds the file against
        // deletion is almost always a reader (a server loading its table).
        // Neither replace the file under it nor write it in place while it
        // reads.
        if (!waitForHolder(target)) {
            *error = reasonFor(ERROR_SHARING_VIOLATION, target);
            return false;
        }
        if (!lock.stillNames(target) && attempt < 10)
            continue;
        if (save_steps::injectedFailure(SaveStep::Locked)) {
            *error = save_steps::injectedFailureText();
            return false;
        }
        if (!shared) {
            const Replacement replaced = replaceWhole(target, true, bytes, error);
            if (replaced != Replacement::NotWithoutLoss)
                return replaced == Replacement::Done;
            if (!lock.take(true)) {
                *error = save_steps::busyMessage();
                return false;
            }
        }
        error->clear();
        return save_steps::writeInPlace(target, bytes, error);
    }
}

QStringList backupFolderCandidates()
{
    QStringList candidates;
    for (const char *variable : {"LOCALAPPDATA", "TEMP"}) {
        const QString base = qEnvironmentVariable(variable);
        if (!base.isEmpty() && !QDir::isRelativePath(base))
            candidates << QDir(QDir::fromNativeSeparators(base)).filePath(QStringLiteral("vandrel-exp-editor"));
    }
    return candidates;
}

bool makePrivateFolder(const QString &folder)
{
    // Under the user's own profile: private by its inherited security.
    return QDir().mkpath(folder);
}

bool reserveSpace(QFileDevice &file, qint64 size, QString *error)
{
    // Setting the end of the file allocates its clusters on Windows: a full
    // disk refuses here. The file then has its new length before its new
    // content; the backup restores the former one on any failure.
    if (size <= file.size())
        return true;
    if (!file.resize(size)) {
        *error = systemFailure(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

bool syncFile(QFileDevice &file, QString *error)
{
    if (FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))))
        return true;
    *error = reasonFor(GetLastError(), file.fileName());
    return false;
}

void syncFolder(const QString &)
{
    // NTFS records names in its journal: nothing to flush by hand.
}

SignalsHeld::SignalsHeld() = default;
SignalsHeld::~SignalsHeld() = default;

bool signalArrived()
{
    return false; // no signals: a temporary is removed by Windows itself
}

} // namespace file_system
