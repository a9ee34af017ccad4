// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/safe_write.h"

#include "core/file_name.h"
#include "core/system_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <memory>

namespace {

SaveStepHook saveStepHook = nullptr;

constexpr qint64 kCopyBlock = qint64(1) << 20;

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

// The former content of a file written in place, copied to the backup
// folder and synced before the file is touched.
class Backup
{
public:
    ~Backup()
    {
        if (!keep_ && copy_)
            QFile::remove(copy_->fileName());
    }

    // `name` is the original's: the backup is named after it, shown as
    // text (a name's bytes that are not UTF-8 escaped).
    bool take(QFile &original, const QString &name, QString *error)
    {
        const QString folder = backupFolder();
        if (!QDir().mkpath(folder)) {
            *error = QStringLiteral("No se pudo crear la carpeta de copias de seguridad %1. No se ha escrito nada.")
                         .arg(QDir::toNativeSeparators(folder));
            return false;
        }
        copy_ = std::make_unique<QTemporaryFile>(
            QDir(folder).filePath(shownName(name.section(u'/', -1)) + QStringLiteral(".XXXXXX.copia")));
        copy_->setAutoRemove(false);
        QFileDevice *failing = nullptr;
        QString reason;
        if (!copy_->open())
            reason = systemFailure(copy_->fileTemplate(), copy_->errorString());
        else if (!copyContent(original, *copy_, &failing) || !copy_->flush())
            reason = failing == &original ? systemFailure(name, original.errorString())
                                          : systemFailure(copy_->fileName(), copy_->errorString());
        else if (!file_system::syncFile(*copy_, &reason) || save_steps::injectedFailure(SaveStep::Backup))
            reason = reason.isEmpty() ? save_steps::injectedFailureText() : reason;
        if (!reason.isEmpty()) {
            *error =
                QStringLiteral("No se pudo hacer la copia de seguridad del archivo en %1: %2 No se ha escrito nada.")
                    .arg(QDir::toNativeSeparators(folder), withStop(reason));
            return false;
        }
        file_system::syncFolder(folder);
        formerSize_ = copy_->size();
        return true;
    }

    // Puts the former content back over the new.
    bool restore(QFile &original)
    {
        if (save_steps::injectedFailure(SaveStep::Restore))
            return false;
        QFileDevice *failing = nullptr;
        QString ignored;
        return copy_->seek(0) && original.seek(0) && copyContent(*copy_, original, &failing)
               && (original.size() == formerSize_ || original.resize(formerSize_))
               && file_system::syncFile(original, &ignored);
    }

    void keep() { keep_ = true; }
    QString path() const { return QDir::toNativeSeparators(copy_->fileName()); }

    static QString withStop(const QString &reason) { return reason.endsWith(u'.') ? reason : reason + u'.'; }

private:
    std::unique_ptr<QTemporaryFile> copy_;
    qint64 formerSize_ = 0;
    bool keep_ = false;
};

} // namespace

void setSaveStepHook(SaveStepHook hook)
{
    saveStepHook = hook;
}

QString backupFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
        .filePath(QStringLiteral("vandrel-exp-editor"));
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
        *error = Backup::withStop(reason) + QStringLiteral(" El archivo conserva su contenido anterior.");
    } else {
        backup.keep();
        *error = Backup::withStop(reason)
                 + QStringLiteral(" El archivo puede haber quedado a medio escribir: su contenido anterior está "
                                  "en la copia de seguridad %1.")
                       .arg(backup.path());
    }
    return false;
}

} // namespace save_steps
