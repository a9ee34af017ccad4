// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// Writes `bytes` as the whole content of the file `path` names, keeping
// everything the file was. The rule, the same for the editor and the tool:
// - Links are followed to the file they name; a loop, or a chain too long,
//   is refused with the system's reason.
// - A device or a named pipe is written as it is: opened for writing, never
//   created, cut, renamed or removed. A socket or a folder is refused.
// - A regular file with one link is replaced whole, by a temporary beside it,
//   when the temporary can be given everything the file had (owner and
//   group, mode, ACL and extended attributes; on Windows its attributes,
//   security and streams). The temporary is synced before it takes the
//   file's name, the folder after.
// - Any other existing file (more than one link, something a new file could
//   not be given, a folder that takes no temporary) is written in place: its
//   former content is copied and synced into backupFolder() first, the space
//   for the new content reserved, the new content written, the file cut to
//   its length and synced, and the backup removed. A failure puts the former
//   content back from the backup; where even that fails, the backup stays
//   and the message names it.
// An interrupting signal (SIGINT, SIGTERM, SIGHUP) waits for the save to be
// undone, or finished once the file has been touched, and then takes effect.
// On failure *error holds the reason, in Spanish where the program has it.
bool writeFileBytes(const QString &path, const QByteArray &bytes, QString *error);

// Where backups of files written in place are kept while they are written:
// $XDG_CACHE_HOME/vandrel-exp-editor, else ~/.cache/vandrel-exp-editor; on
// Windows %LOCALAPPDATA%\vandrel-exp-editor.
QString backupFolder();

// The steps of a save, for tests that make one of them fail.
enum class SaveStep {
    AnonymousTemporary, // a temporary without a name (refused: a named one is made)
    NamedTemporary,     // a named temporary has just been made
    TemporaryWritten,   // the temporary holds the new content, synced, not yet in the file's place
    Backup,             // the former content copied and synced
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

// Writes `bytes` to the file at `path` by the rule above.
bool writeByRule(const QString &path, const QByteArray &bytes, QString *error);

// Makes sure the open file has room for `size` bytes before any byte of it
// is overwritten. False, with the system's reason, when the disk or a limit
// has no room.
bool reserveSpace(QFileDevice &file, qint64 size, QString *error);

// Flushes the open file's content to the disk.
bool syncFile(QFileDevice &file, QString *error);

// Flushes a folder's entries (a new or removed name) to the disk, where the
// platform can.
void syncFolder(const QString &folder);

// SIGINT, SIGTERM and SIGHUP are held back while one lives (where the
// platform has them): signalArrived() tells whether one came, and on its
// end one that came takes effect as it would have.
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

// Calls the test's hook.
bool injectedFailure(SaveStep step);

// The reason an injected failure gives.
QString injectedFailureText();

// Writes `bytes` over the existing file at `path` (links already followed)
// by the in-place rule above.
bool writeInPlace(const QString &path, const QByteArray &bytes, QString *error);

} // namespace save_steps
