// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QByteArray>
#include <QString>

// Writes `bytes` as the whole content of the file `path` names, keeping
// everything the file was. The rule, the same for the editor and the tool:
// - Links are followed to the file they name; a loop, or a chain too long,
//   is refused with the system's reason.
// - A device or a named pipe is written as it is: opened for writing, never
//   created, cut, renamed or removed. A socket, a folder and a file the
//   system makes up as it is read (/proc, /sys) are refused before anything
//   is written; so are Windows' device names other than NUL.
// - A regular file with one link is replaced whole, by a temporary with a
//   short random name beside it, when the temporary can be given everything
//   the file had (owner and group, mode, ACL and extended attributes, none
//   of them skipped, hidden from the caller or cleared by the system; on
//   Windows its attributes, security and streams) and the folder lets a
//   name be replaced. The temporary is synced before it takes the file's
//   name, the folder after.
// - Any other existing file (more than one link, something a new file could
//   not be given, a folder that takes no temporary or refuses the rename: a
//   bind-mounted file, an append-only folder, another file system) is
//   written in place, in this order:
//     1. the lock is taken (below);
//     2. the former content is written to its backup in backupFolder(),
//        under the backup's final name, and the backup and its folder are
//        synced;
//     3. room for the new content is reserved;
//     4. the new content is written over the former;
//     5. the file is cut to the new content's length and synced;
//     6. the backup is removed.
//   At every instant the file holds its former content or the new, or the
//   backup holds the former content whole. A failure after step 2 puts the
//   former content back; where even that fails, the backup stays and the
//   message names it. Where the process is killed (SIGKILL, a power cut)
//   between steps 2 and 6, the backup stays too: leftoverBackupOf() finds it.
// - One writer at a time: a save takes a lock on the file (an open file
//   description's lock on Linux, a byte-range lock on Windows) shared for a
//   replacement, exclusive for a write in place. A second save waits for it
//   a short while, then fails with "Otro proceso está guardando el archivo."
//   and writes nothing.
// - SIGINT, SIGTERM and SIGHUP arriving mid-save wait for the save to be
//   undone, or finished once the file has been touched, and then take
//   effect. SIGXFSZ is ignored for the length of a save: a write past the
//   process's file-size limit fails and the former content comes back.
// - On systems without anonymous temporaries (O_TMPFILE), a SIGKILL while
//   the temporary is being written leaves it behind, named .vandrel-*.tmp.
// On failure *error holds the reason, in Spanish.
bool writeFileBytes(const QString &path, const QByteArray &bytes, QString *error);

// Where backups of files written in place are kept while they are written,
// made (mode 700) where missing; the first of these that works:
// $XDG_CACHE_HOME/vandrel-exp-editor when XDG_CACHE_HOME is absolute; the
// account's home (from the password database, not $HOME)/.cache/vandrel-exp-editor;
// /var/tmp/vandrel-exp-editor-UID, the user's own and not a link. Root makes
// no folder inside another account's folder. On Windows
// %LOCALAPPDATA%\vandrel-exp-editor, else %TEMP%\vandrel-exp-editor.
// Empty, with *error saying what to set, where none works.
QString backupFolder(QString *error = nullptr);

// The backup an interrupted save of the file at `path` left behind, or
// empty: found by the file's identity (device and inode; volume and file
// index) and name among the backup folders.
QString leftoverBackupOf(const QString &path);

// What the editor and the tool say of such a backup.
QString leftoverBackupMessage(const QString &backup);
