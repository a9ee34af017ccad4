// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/safe_write_p.h"

#include "core/file_name.h"
#include "core/system_error.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

SaveStepHook saveStepHook = nullptr;

constexpr qint64 kCopyBlock = qint64(1) << 20;
// Room for the identity and the suffixes within any file system's 255 bytes.
constexpr qsizetype kBackupNameBytes = 100;
const QString kBackupSuffix = QStringLiteral(".copia");

// A short write is not yet a failure and leaves no reason; the next one
// fails with the system's own (no space left, file too large).
bool writeAll(QFileDevice &file, const char *data, qint64 size)
{
    for (qint64 done = 0; done < size;) {
        const qint64 written = file.write(data + done, size - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// Copies `from` (at its current position) to `to`, block by block; the
// reason of a failure is in the failing file's errorString().
bool copyContent(QFileDevice &from, QFileDevice &to, QFileDevice **failing)
{
    QByteArray block(kCopyBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 got = from.read(block.data(), block.size());
        if (got < 0) {
            *failing = &from;
            return false;
        }
        if (got == 0)
            return true;
        if (!writeAll(to, block.constData(), got)) {
            *failing = &to;
            return false;
        }
    }
}

QString withStop(const QString &reason)
{
    return reason.endsWith(u'.') ? reason : reason + u'.';
}

// The last part of a path in either separator, as messages show it.
QString shownFileName(const QString &path)
{
    return shownName(QDir::fromNativeSeparators(path).section(u'/', -1));
}

// The identity part of a backup's name: what finds it again, by whatever
// name the file is reached.
QString identityPart(const FileIdentity &identity)
{
    return QStringLiteral(".%1-%2").arg(identity.device, 0, 16).arg(identity.file, 0, 16);
}

// The start of every backup name of one file: its name, cut to fit, and
// its identity.
QString backupNamePrefix(const QString &name, const FileIdentity &identity)
{
    QByteArray shown = shownFileName(name).toUtf8();
    if (shown.size() > kBackupNameBytes) {
        qsizetype cut = kBackupNameBytes;
        while (cut > 0 && (uchar(shown.at(cut)) & 0xC0) == 0x80) // not inside a character
            --cut;
        shown.truncate(cut);
    }
    return QString::fromUtf8(shown) + identityPart(identity);
}

// The former content of a file written in place, copied under the backup's
// final name and synced before the file is touched.
class Backup
{
public:
    ~Backup()
    {
        if (!keep_ && copy_.isOpen()) {
            copy_.close();
            copy_.remove();
        }
    }

    bool take(QFile &original, const QString &name, QString *error)
    {
        QString folderError;
        const QString folder = backupFolder(&folderError);
        if (folder.isEmpty()) {
            *error = folderError + QStringLiteral(" No se ha escrito nada.");
            return false;
        }
        const FileIdentity identity = identityOf(original);
        QString reason;
        for (int attempt = 0; attempt < 100 && !copy_.isOpen(); ++attempt) {
            copy_.setFileName(QDir(folder).filePath(save_steps::backupFileName(name, identity, attempt)));
            if (copy_.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered))
                break;
            if (!QFile::exists(copy_.fileName())) { // a name an interrupted save left is passed over
                reason = systemFailure(copy_.fileName(), copy_.errorString());
                break;
            }
        }
        QFileDevice *failing = nullptr;
        if (!reason.isEmpty() || !copy_.isOpen())
            reason = reason.isEmpty() ? QStringLiteral("El archivo ya existe") : reason;
        else if (!copyContent(original, copy_, &failing))
            reason = failing == &original ? systemFailure(name, original.errorString())
                                          : systemFailure(copy_.fileName(), copy_.errorString());
        else if (!file_system::syncFile(copy_, &reason) || save_steps::injectedFailure(SaveStep::Backup))
            reason = reason.isEmpty() ? save_steps::injectedFailureText() : reason;
        if (!reason.isEmpty()) {
            *error =
                QStringLiteral("No se pudo hacer la copia de seguridad del archivo en %1: %2 No se ha escrito nada.")
                    .arg(QDir::toNativeSeparators(folder), withStop(reason));
            return false;
        }
        file_system::syncFolder(folder);
        formerSize_ = copy_.size();
        return true;
    }

    // Puts the former content back over the new.
    bool restore(QFile &original)
    {
        if (save_steps::injectedFailure(SaveStep::Restore))
            return false;
        QFileDevice *failing = nullptr;
        QString ignored;
        return copy_.seek(0) && original.seek(0) && copyContent(copy_, original, &failing)
               && (original.size() == formerSize_ || original.resize(formerSize_))
               && file_system::syncFile(original, &ignored);
    }

    void keep() { keep_ = true; }
    QString path() const { return QDir::toNativeSeparators(copy_.fileName()); }

private:
    QFile copy_;
    qint64 formerSize_ = 0;
    bool keep_ = false;
};

} // namespace

void setSaveStepHook(SaveStepHook hook)
{
    saveStepHook = hook;
}

QString backupFolder(QString *error)
{
    for (const QString &candidate : file_system::backupFolderCandidates())
        if (file_system::makePrivateFolder(candidate))
            return candidate;
    if (error)
        *error = QStringLiteral("No se pudo crear la carpeta de copias de seguridad. Defina XDG_CACHE_HOME con una "
                                "carpeta en la que pueda escribir.");
    return {};
}

QString leftoverBackupOf(const QString &path)
{
    const FileIdentity identity = identityOf(path);
    if (!identity.exists)
        return {};
    const QRegularExpression ours(QRegularExpression::escape(identityPart(identity)) + QStringLiteral("(\\.[0-9]+)?")
                                  + QRegularExpression::escape(kBackupSuffix) + u'$');
    for (const QString &candidate : file_system::backupFolderCandidates()) {
        const QDir folder(candidate);
        for (const QString &entry : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name))
            if (ours.match(entry).hasMatch())
                return QDir::toNativeSeparators(folder.filePath(entry));
    }
    return {};
}

QString leftoverBackupMessage(const QString &backup)
{
    return QStringLiteral("Hay una copia de seguridad de este archivo de un guardado interrumpido: %1.").arg(backup);
}

bool writeFileBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    return file_system::writeByRule(path, bytes, error);
}

namespace save_steps {

bool injectedFailure(SaveStep step)
{
    return saveStepHook && saveStepHook(step);
}

QString injectedFailureText()
{
    return QStringLiteral("Error de entrada/salida");
}

QString busyMessage()
{
    return QStringLiteral("Otro proceso está guardando el archivo.");
}

QString backupFileName(const QString &name, const FileIdentity &identity, int attempt)
{
    return backupNamePrefix(name, identity) + (attempt > 0 ? QStringLiteral(".%1").arg(attempt + 1) : QString())
           + kBackupSuffix;
}

bool writeInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile file;
    // Unbuffered, so that a failed write reports the system's own words.
    if (!openNamed(file, path, QIODevice::ReadWrite | QIODevice::Unbuffered, error))
        return false;
    Backup backup;
    if (!backup.take(file, path, error))
        return false;
    if (file_system::signalArrived()) {
        *error = QStringLiteral("Guardado interrumpido. No se ha escrito nada.");
        return false;
    }
    const qint64 formerSize = file.size();
    if (!file_system::reserveSpace(file, bytes.size(), error) || injectedFailure(SaveStep::ReserveSpace)) {
        if (error->isEmpty())
            *error = injectedFailureText();
        if (file.size() != formerSize) // a reservation that set the length (Windows)
            file.resize(formerSize);
        return false;
    }
    // From here on the file is touched: a failure puts the former content back.
    QString reason;
    if (!file.seek(0) || !writeAll(file, bytes.constData(), bytes.size()))
        reason = systemFailure(path, file.errorString());
    else if (injectedFailure(SaveStep::WriteContent))
        reason = injectedFailureText();
    else if (!file.resize(bytes.size()))
        reason = systemFailure(path, file.errorString());
    else if (injectedFailure(SaveStep::CutToLength))
        reason = injectedFailureText();
    else if (!file_system::syncFile(file, &reason))
        ;
    else if (injectedFailure(SaveStep::SyncContent))
        reason = injectedFailureText();
    if (reason.isEmpty())
        return true; // the backup goes with its owner
    if (backup.restore(file)) {
        *error = withStop(reason) + QStringLiteral(" El archivo conserva su contenido anterior.");
    } else {
        backup.keep();
        *error = withStop(reason)
                 + QStringLiteral(" El archivo puede haber quedado a medio escribir: su contenido anterior está "
                                  "en la copia de seguridad %1.")
                       .arg(backup.path());
    }
    return false;
}

} // namespace save_steps
