// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/safe_write.h"

#include "core/system_error.h"

#include <QDir>
#include <QFileDevice>
#include <QRandomGenerator>

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

    bool create(const QString &target, DWORD *code)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            name_ =
                target
                + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->bounded(1u << 30), 8, 36, QLatin1Char('0'));
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
    if (exists) {
        // A replace needs the file with no other program holding it against
        // deletion; where one does, the file may still be written in place
        // (a server that reads with fopen), or the writing says who holds it.
        const Handle probe(CreateFileW(wide(target), GENERIC_WRITE | DELETE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.valid() && GetLastError() == ERROR_SHARING_VIOLATION) {
            *error = reasonFor(ERROR_SHARING_VIOLATION, target);
            return Replacement::NotWithoutLoss;
        }
    }
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
        *error = refusalReason(GetLastError(), target);
        return Replacement::Failed;
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

} // namespace

namespace file_system {

bool writeByRule(const QString &path, const QByteArray &bytes, QString *error)
{
    QString target = withoutPrefix(path);
    if (target.isEmpty()) {
        *error = reasonFor(ERROR_FILE_NOT_FOUND, path);
        return false;
    }
    // Attributes only: a file another program holds open is still looked at;
    // links are followed to the file they name.
    const Handle look(CreateFileW(wide(target), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const DWORD lookCode = look.valid() ? 0 : GetLastError();
    const bool exists = look.valid();
    if (!exists && lookCode != ERROR_FILE_NOT_FOUND) {
        *error = reasonFor(lookCode, target); // a loop of links among them
        return false;
    }
    bool shared = false;
    if (exists) {
        if (GetFileType(look.get()) != FILE_TYPE_DISK)
            return writeStream(target, bytes, error);
        BY_HANDLE_FILE_INFORMATION info = {};
        if (GetFileInformationByHandle(look.get(), &info)) {
            if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                *error = folderGivenMessage();
                return false;
            }
            if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
                *error = reasonFor(ERROR_ACCESS_DENIED, target);
                return false;
            }
            shared = info.nNumberOfLinks > 1;
        }
        wchar_t final[32768];
        const DWORD length = GetFinalPathNameByHandleW(look.get(), final, DWORD(std::size(final)), 0);
        if (length > 0 && length < std::size(final))
            target = withoutPrefix(QString::fromWCharArray(final, int(length)));
    }
    if (!shared) {
        const Replacement replaced = replaceWhole(target, exists, bytes, error);
        if (replaced != Replacement::NotWithoutLoss)
            return replaced == Replacement::Done;
    }
    error->clear();
    return save_steps::writeInPlace(target, bytes, error);
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
