// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The writer's inside: the steps of a save, the platforms' parts and the
// test hook. Only the writer's own files and its test include this.

#include "core/file_identity.h"
#include "core/safe_write.h"

#include <QStringList>

class QFileDevice;

// The steps of a save, for tests that make one of them fail or wait.
enum class SaveStep {
    AnonymousTemporary, // a temporary without a name (refused: a named one is made)
    NamedTemporary,     // a named temporary has just been made
    TemporaryWritten,   // the temporary holds the new content, synced, not yet in the file's place
    Locked,             // the file's lock is held, nothing written yet
    Backup,             // the former content copied and synced under the backup's name
    ReserveSpace,       // room reserved for the new content
    WriteContent,       // the new content written over the former
    CutToLength,        // the file cut to the new content's length
    SyncContent,        // the new content synced
    Restore,            // the former content put back after a failure
};

// A test's hook, called at each step; true makes that step fail as an
// input/output error would. Null (the default) fails nothing.
using SaveStepHook = bool (*)(SaveStep);
void setSaveStepHook(SaveStepHook hook);

// Platform services of the writer, one file per platform.
namespace file_system {

// Writes `bytes` to the file at `path` by the rule of writeFileBytes().
bool writeByRule(const QString &path, const QByteArray &bytes, QString *error);

// The backup folders to try, in order (not yet made).
QStringList backupFolderCandidates();

// Makes `folder` where missing, private to the user; false where it cannot
// be made or is not the user's own.
bool makePrivateFolder(const QString &folder);

// Makes sure the open file has room for `size` bytes before any byte of it
// is overwritten. False, with the system's reason, when the disk or a limit
// has no room.
bool reserveSpace(QFileDevice &file, qint64 size, QString *error);

// Flushes the open file's content to the disk.
bool syncFile(QFileDevice &file, QString *error);

// Flushes a folder's entries (a new or removed name) to the disk, where the
// platform can.
void syncFolder(const QString &folder);

// SIGINT, SIGTERM and SIGHUP are held back while one lives, SIGXFSZ ignored
// (where the platform has them): signalArrived() tells whether one came,
// and on its end one that came takes effect as it would have.
class SignalsHeld
{
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld &) = delete;
    SignalsHeld &operator=(const SignalsHeld &) = delete;
};
bool signalArrived();

} // namespace file_system

// Shared by the platforms' writers.
namespace save_steps {

// How long a save waits for another's lock, in milliseconds.
constexpr int kLockWaitMs = 2000;

// Calls the test's hook.
bool injectedFailure(SaveStep step);

// The reason an injected failure gives.
QString injectedFailureText();

// The refusal when another save holds the file.
QString busyMessage();

// Writes `bytes` over the existing file at `path` (links already followed,
// its lock held) by the in-place rule.
bool writeInPlace(const QString &path, const QByteArray &bytes, QString *error);

// The name of the backup of the file shown as `name`, of identity
// `identity`; `attempt` tells apart a backup an earlier interrupted save
// left.
QString backupFileName(const QString &name, const FileIdentity &identity, int attempt);

} // namespace save_steps
