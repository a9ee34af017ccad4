// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/safe_write_p.h"
#include "table/core/experience_table.h"
#include "test_files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <set>

#if defined(Q_OS_WIN)
#include <windows.h>
#endif

#if defined(Q_OS_UNIX)
#include <acl/libacl.h>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <linux/fs.h>
#include <sys/acl.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace {

const QByteArray kFormer("//Archivo Creado Con Otro\r\n1,2,3,,,,,,,,,,,\r\n");

// Only root sees trusted.* attributes to copy them: any other account's
// saves are written in place where the file system keeps such attributes.
[[maybe_unused]] const char kNoReplacementHere[] = "only root's saves replace a file here";

#if defined(Q_OS_UNIX)
constexpr uid_t kNobody = 65534;
constexpr gid_t kStaff = 100; // a group the test gives the unprivileged child

// A folder the child may not write holding Exp.txt, which it may: as root,
// a root-owned folder and a file of group kStaff writable by the group,
// as a server's table is shared with its admins; otherwise, a folder
// without write permission and a file of the test's own.
struct LockedFolder
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Exp.txt"));

    explicit LockedFolder(const QByteArray &former)
    {
        QVERIFY(putFile(path, former));
        if (geteuid() == 0) {
            QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7755));
            (void)chown(path.toLocal8Bit().constData(), 0, kStaff);
            (void)chmod(path.toLocal8Bit().constData(), 0664);
        } else {
            (void)chmod(dir.path().toLocal8Bit().constData(), 0555);
        }
    }
    ~LockedFolder() { (void)chmod(dir.path().toLocal8Bit().constData(), 0755); }
    LockedFolder(const LockedFolder &) = delete;
    LockedFolder &operator=(const LockedFolder &) = delete;
};

// The unprivileged child's own cache folder (its backups go there).
QString childCacheHome;

// Runs `body` in a child process, as an unprivileged account in group
// kStaff when the test runs as root; returns its exit status, or -1.
int inUnprivilegedChild(const std::function<int()> &body)
{
    const pid_t child = fork();
    if (child == 0) {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(childCacheHome));
        if (geteuid() == 0) {
            const gid_t groups[] = {kStaff};
            if (setgroups(1, groups) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
                _exit(99);
        }
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// The backups left in the unprivileged child's backup folder.
QStringList childBackups()
{
    return QDir(childCacheHome + QStringLiteral("/vandrel-exp-editor")).entryList(QDir::Files | QDir::Hidden);
}

struct stat statOf(const QString &path)
{
    struct stat st = {};
    (void)::stat(path.toLocal8Bit().constData(), &st);
    return st;
}
#endif

} // namespace

// Every way of writing a file: replacing it through a temporary or writing
// it in place, what the file was kept, failures and signals leaving the
// former file whole. The bytes written are a saved table's.
class TestSafeWrite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void fullDiskLeavesTheFormerFile();
    void unwritableTargetsLeaveTheFormerFile();
    void replacingKeepsOwnerGroupAndMode();
    void lockedFolderWritesTheFileInPlace();
    void lockedFolderFullDiskLeavesTheFormerFile();
    void savingKeepsWhatTheFileWas_data();
    void savingKeepsWhatTheFileWas();
    void inPlaceFailureLeavesAWholeFile_data();
    void inPlaceFailureLeavesAWholeFile();
    void interruptedSaveLeavesNoTemporary_data();
    void interruptedSaveLeavesNoTemporary();
    void killedSaveLeavesTheFormerTable_data();
    void killedSaveLeavesTheFormerTable();
    void heldSaveChild();
    void twoSavesAtOnce_data();
    void twoSavesAtOnce();
    void refusedRenamesSaveInPlace_data();
    void refusedRenamesSaveInPlace();
    void backupFolderIsTheUsersOwn();
    void windowsSavesKeepWhatTheFileWas_data();
    void windowsSavesKeepWhatTheFileWas();

private:
    QTemporaryDir cache_; // the backup folder's home, for this process and its children
};

void TestSafeWrite::initTestCase()
{
    if (qEnvironmentVariableIsSet("VEXP_TEST_SAVE_TARGET"))
        return; // the child of a held save keeps its parent's backup folder
    QVERIFY(cache_.isValid());
#if defined(Q_OS_UNIX)
    QVERIFY(QFile::setPermissions(cache_.path(), QFileDevice::Permissions(0x7755))); // to the children's own
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache_.path()));
    QCOMPARE(backupFolder(), cache_.filePath(QStringLiteral("vandrel-exp-editor")));
    // The unprivileged children's own, which only they may use.
    childCacheHome = cache_.filePath(QStringLiteral("hijo"));
    QVERIFY(QDir().mkpath(childCacheHome));
    if (geteuid() == 0)
        QCOMPARE(chown(QFile::encodeName(childCacheHome).constData(), kNobody, kNobody), 0);
#else
    QVERIFY(
        backupFolder().contains(QStringLiteral("vandrel-exp-editor"))); // the user's own, under Wine a fresh prefix's
#endif
}

void TestSafeWrite::cleanup()
{
    setSaveStepHook(nullptr);
}

void TestSafeWrite::fullDiskLeavesTheFormerFile()
{
#if defined(Q_OS_UNIX)
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, kFormer));

    // A file-size limit fails the write as a full disk would.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = writeFileBytes(path, savedBytes(numberedTable(kMaxSavedRows)), &error);
    setrlimit(RLIMIT_FSIZE, &old);

    QVERIFY(!written);
    QVERIFY2(error.contains(QStringLiteral("El archivo supera el tamaño máximo permitido a este proceso")),
             qPrintable(error));
    QCOMPARE(fileBytes(path), kFormer);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Exp.txt")});
#else
    QSKIP("a file-size limit is a POSIX facility");
#endif
}

void TestSafeWrite::unwritableTargetsLeaveTheFormerFile()
{
#if defined(Q_OS_UNIX)
    QString error;
    QVERIFY(!writeFileBytes(QStringLiteral("/nonexistent/Exp.txt"), savedBytes(numberedTable(2)), &error));
    QVERIFY(!error.isEmpty());

    QTemporaryDir dir;
    QVERIFY(!writeFileBytes(dir.path(), savedBytes(numberedTable(2)), &error)); // a folder as target
    QVERIFY(!error.isEmpty());

    // Files the system makes up as they are read: refused before any backup
    // is made (that of /proc/self/environ would hold the environment).
    for (const char *madeUp :
         {"/proc/self/status", "/proc/self/environ", "/sys/kernel/mm/transparent_hugepage/enabled"}) {
        if (!QFileInfo::exists(QString::fromLatin1(madeUp)))
            continue;
        QVERIFY(!writeFileBytes(QString::fromLatin1(madeUp), savedBytes(numberedTable(2)), &error));
        QCOMPARE(error, QStringLiteral("Es un archivo que el sistema genera al leerlo (/proc, /sys), no un archivo de "
                                       "datos: no se ha escrito nada."));
    }
    QCOMPARE(QDir(backupFolder()).entryList(QDir::Files), QStringList());

    // A read-only file; as root, tried by an unprivileged child process.
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, kFormer));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    if (geteuid() == 0)
        QVERIFY(chown(path.toLocal8Bit().constData(), 65534, 65534) == 0);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        QString childError;
        const bool ok = writeFileBytes(path, savedBytes(numberedTable(2)), &childError);
        _exit(ok ? 1 : childError.contains(QStringLiteral("Permiso denegado")) ? 0 : 2);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(fileBytes(path), kFormer);
#else
    QSKIP("an unprivileged child process is a POSIX facility");
#endif
}

void TestSafeWrite::replacingKeepsOwnerGroupAndMode()
{
#if defined(Q_OS_UNIX)
    if (geteuid() != 0)
        QSKIP("only root may give a file to another account");
    // Root saving over the table of the server's account.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, kFormer));
    QCOMPARE(chown(path.toLocal8Bit().constData(), kNobody, kStaff), 0);
    QCOMPARE(chmod(path.toLocal8Bit().constData(), 0640), 0);
    const ino_t formerInode = statOf(path).st_ino;

    QString error;
    QVERIFY2(writeFileBytes(path, savedBytes(numberedTable(3)), &error), qPrintable(error));
    const struct stat saved = statOf(path);
    QCOMPARE(saved.st_uid, kNobody);
    QCOMPARE(saved.st_gid, kStaff);
    QCOMPARE(saved.st_mode & 07777, mode_t(0640));
    QVERIFY(saved.st_ino != formerInode); // still replaced whole, not written over
    QCOMPARE(fileBytes(path), savedBytes(numberedTable(3)));
#else
    QSKIP("owners and groups are POSIX's");
#endif
}

void TestSafeWrite::lockedFolderWritesTheFileInPlace()
{
#if defined(Q_OS_UNIX)
    LockedFolder locked(kFormer);
    const struct stat before = statOf(locked.path);
    // Longer than the former content, then shorter: the end goes with it.
    for (const int rows : {300, 1}) {
        const int status = inUnprivilegedChild([&] {
            QString error;
            return writeFileBytes(locked.path, savedBytes(numberedTable(rows)), &error) ? 0 : 1;
        });
        QCOMPARE(status, 0);
        QCOMPARE(fileBytes(locked.path), savedBytes(numberedTable(rows)));
    }
    const struct stat after = statOf(locked.path);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(QDir(locked.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Exp.txt")});
    QCOMPARE(childBackups(), QStringList());
#else
    QSKIP("an unprivileged child process is a POSIX facility");
#endif
}

void TestSafeWrite::lockedFolderFullDiskLeavesTheFormerFile()
{
#if defined(Q_OS_UNIX)
    // Writing in place with no room: the former table stays whole.
    const QByteArray former = savedBytes(numberedTable(100));
    LockedFolder locked(former);
    // SIGXFSZ as the process has it by default: it would end the process
    // mid-line unless the writer holds it.
    const int status = inUnprivilegedChild([&] {
        rlimit small{};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 16 * 1024; // past the former table, short of the new one
        if (setrlimit(RLIMIT_FSIZE, &small) != 0)
            return 3;
        QString error;
        if (writeFileBytes(locked.path, savedBytes(numberedTable(2000)), &error))
            return 1;
        return error.contains(QStringLiteral("El archivo supera el tamaño máximo permitido a este proceso."))
                       && error.contains(QStringLiteral("El archivo conserva su contenido anterior."))
                   ? 0
                   : 2;
    });
    QCOMPARE(status, 0);
    QCOMPARE(fileBytes(locked.path), former);
    QCOMPARE(childBackups(), QStringList());
#else
    QSKIP("a file-size limit is a POSIX facility");
#endif
}

Q_DECLARE_METATYPE(SaveStep)

namespace {

#if defined(Q_OS_UNIX)
// The steps the hook below fails, and a signal it raises at one step.
std::set<SaveStep> failingSteps;
SaveStep signalStep = SaveStep::NamedTemporary;
int signalToRaise = 0;

bool testHook(SaveStep step)
{
    if (signalToRaise != 0 && step == signalStep)
        ::raise(signalToRaise);
    return failingSteps.count(step) != 0;
}

void failSteps(std::set<SaveStep> steps, int signal = 0, SaveStep at = SaveStep::NamedTemporary)
{
    failingSteps = std::move(steps);
    signalToRaise = signal;
    signalStep = at;
    setSaveStepHook(testHook);
}

QByteArray aclText(const QString &path, acl_type_t type = ACL_TYPE_ACCESS)
{
    acl_t acl = acl_get_file(QFile::encodeName(path).constData(), type);
    if (!acl)
        return "<none>";
    char *text = acl_to_any_text(acl, nullptr, ',', 0);
    const QByteArray result(text ? text : "<none>");
    acl_free(text);
    acl_free(acl);
    return result;
}

bool setAcl(const QString &path, const char *text, acl_type_t type = ACL_TYPE_ACCESS)
{
    acl_t acl = acl_from_text(text);
    const bool set = acl && acl_set_file(QFile::encodeName(path).constData(), type, acl) == 0;
    acl_free(acl);
    return set;
}

QByteArray attributeOf(const QString &path, const char *name)
{
    char value[256] = {};
    const ssize_t size = ::getxattr(QFile::encodeName(path).constData(), name, value, sizeof value);
    return size < 0 ? QByteArray("<none>") : QByteArray(value, size);
}
#endif

} // namespace

namespace {

// A file to save over, as a test sets it up: the path, and what every save
// over it must show afterwards.
struct SaveScene
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Exp.txt")), other = dir.filePath(QStringLiteral("otro.txt"));
    QByteArray path8 = QFile::encodeName(path);
    QByteArray saved = savedBytes(numberedTable(40));
    QStringList expectedFiles{QStringLiteral("Exp.txt")};
    QString skip; // set by a set-up this machine cannot make
#if defined(Q_OS_UNIX)
    struct stat before = {}, after = {};
    QByteArray formerAcl;
#endif
};

// One kind of target: its set-up, the save's expected failure (empty: it
// succeeds), whether another account saves it, and what stays of it.
struct SavedTarget
{
    std::function<void(SaveScene &)> arrange;
    QString failure;
    bool byAnotherAccount = false;
    std::function<void(SaveScene &)> check = [](SaveScene &) {};
};

} // namespace

Q_DECLARE_METATYPE(SavedTarget)

void TestSafeWrite::savingKeepsWhatTheFileWas_data()
{
    QTest::addColumn<SavedTarget>("target");
#if defined(Q_OS_UNIX)
    const auto row = [](const char *name, const SavedTarget &target) { QTest::newRow(name) << target; };
    row("a character device", {[](SaveScene &s) {
                                   if (geteuid() != 0)
                                       s.skip = QStringLiteral("only root may make a device");
                                   else // as /dev/null, in the test's folder
                                       QCOMPARE(::mknod(s.path8.constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
                               },
                               {},
                               false,
                               [](SaveScene &s) { QCOMPARE(s.after.st_rdev, s.before.st_rdev); }});
    // The test reads: the table fits in the pipe's buffer.
    static int readerFd = -1;
    row("a named pipe with a reader", {[](SaveScene &s) {
                                           QCOMPARE(::mkfifo(s.path8.constData(), 0600), 0);
                                           readerFd = ::open(s.path8.constData(), O_RDONLY | O_NONBLOCK);
                                           QVERIFY(readerFd >= 0);
                                       },
                                       {},
                                       false,
                                       [](SaveScene &s) {
                                           QByteArray got(s.saved.size() + 1, '\0');
                                           const ssize_t read = ::read(readerFd, got.data(), size_t(got.size()));
                                           ::close(readerFd);
                                           QCOMPARE(read, ssize_t(s.saved.size()));
                                           got.chop(1);
                                           QCOMPARE(got, s.saved);
                                       }});
    row("a named pipe nobody reads", {[](SaveScene &s) { QCOMPARE(::mkfifo(s.path8.constData(), 0600), 0); },
                                      QStringLiteral("Ningún programa lee de la tubería.")});
    row("a socket", {[](SaveScene &s) {
                         const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                         const auto closeIt = qScopeGuard([&] { ::close(socketFd); }); // the name stays
                         sockaddr_un address = {};
                         address.sun_family = AF_UNIX;
                         QVERIFY(size_t(s.path8.size()) < sizeof address.sun_path);
                         std::memcpy(address.sun_path, s.path8.constData(), size_t(s.path8.size()));
                         QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
                     },
                     QStringLiteral("Es un socket")});
    row("a hard link", {[](SaveScene &s) {
                            QVERIFY(putFile(s.path, kFormer));
                            QCOMPARE(::link(s.path8.constData(), QFile::encodeName(s.other).constData()), 0);
                            s.expectedFiles << QStringLiteral("otro.txt");
                        },
                        {},
                        false,
                        [](SaveScene &s) {
                            QCOMPARE(s.after.st_ino, s.before.st_ino);
                            QCOMPARE(s.after.st_nlink, nlink_t(2));
                            QCOMPARE(fileBytes(s.other), s.saved);
                        }});
    row("an ACL", {[](SaveScene &s) {
                       QVERIFY(putFile(s.path, kFormer));
                       QCOMPARE(chmod(s.path8.constData(), 0600), 0);
                       QVERIFY(QFile::setPermissions(s.dir.path(), QFileDevice::Permissions(0x7755)));
                       if (!setAcl(s.path, "u::rw-,u:65534:r--,g::---,m::r--,o::---"))
                           s.skip = QStringLiteral("this file system keeps no ACL");
                   },
                   {},
                   false,
                   [](SaveScene &s) {
                       QCOMPARE(aclText(s.path), s.formerAcl);
                       QCOMPARE(s.after.st_mode & 07777, s.before.st_mode & 07777);
                       if (geteuid() == 0)
                           QVERIFY(s.after.st_ino != s.before.st_ino);
                       // The ACL's user still reads the table.
                       QCOMPARE(inUnprivilegedChild([&] { return fileBytes(s.path) == s.saved ? 0 : 1; }), 0);
                   }});
    // The folder takes the child's temporary, but the temporary could not
    // be given root as owner: the file is written in place.
    row("root's file, saved by the user its ACL lets write",
        {[](SaveScene &s) {
             if (geteuid() != 0) {
                 s.skip = QStringLiteral("only root may make a file of another account");
                 return;
             }
             QVERIFY(putFile(s.path, kFormer));
             QCOMPARE(chmod(s.path8.constData(), 0600), 0);
             QVERIFY(QFile::setPermissions(s.dir.path(), QFileDevice::Permissions(0x7777)));
             if (!setAcl(s.path, "u::rw-,u:65534:rw-,g::---,m::rw-,o::---"))
                 s.skip = QStringLiteral("this file system keeps no ACL");
         },
         {},
         true,
         [](SaveScene &s) {
             QCOMPARE(aclText(s.path), s.formerAcl);
             QCOMPARE(s.after.st_ino, s.before.st_ino);
             QCOMPARE(s.after.st_uid, uid_t(0));
             QCOMPARE(s.after.st_mode & 07777, s.before.st_mode & 07777);
         }});
    row("no ACL, in a folder with a default ACL",
        {[](SaveScene &s) {
             QVERIFY(putFile(s.path, kFormer));
             QCOMPARE(chmod(s.path8.constData(), 0640), 0);
             if (!setAcl(s.dir.path(), "u::rwx,u:65534:rwx,g::r-x,m::rwx,o::r-x", ACL_TYPE_DEFAULT))
                 s.skip = QStringLiteral("this file system keeps no ACL");
         },
         {},
         false,
         [](SaveScene &s) {
             QCOMPARE(aclText(s.path), s.formerAcl); // the folder's ACL is not added
             QCOMPARE(s.after.st_mode & 07777, mode_t(0640));
         }});
    row("user attributes", {[](SaveScene &s) {
                                QVERIFY(putFile(s.path, kFormer));
                                if (::setxattr(s.path8.constData(), "user.origen", "servidor", 8, 0) != 0)
                                    s.skip = QStringLiteral("this file system keeps no user attributes");
                            },
                            {},
                            false,
                            [](SaveScene &s) {
                                QCOMPARE(attributeOf(s.path, "user.origen"), QByteArray("servidor"));
                                if (geteuid() == 0) // others cannot see trusted.* to copy them: written in place
                                    QVERIFY(s.after.st_ino != s.before.st_ino);
                            }});
    row("an attribute /etc/xattr.conf skips",
        {[](SaveScene &s) {
             QVERIFY(putFile(s.path, kFormer));
             if (::setxattr(s.path8.constData(), "user.Beagle.indice", "1", 1, 0) != 0)
                 s.skip = QStringLiteral("this file system keeps no user attributes");
         },
         {},
         false,
         [](SaveScene &s) {
             QCOMPARE(attributeOf(s.path, "user.Beagle.indice"), QByteArray("1"));
             QCOMPARE(s.after.st_ino, s.before.st_ino);
         }});
    // Set by root on the table of the account that saves it.
    row("a trusted attribute its owner cannot see",
        {[](SaveScene &s) {
             if (geteuid() != 0) {
                 s.skip = QStringLiteral("only root may set a trusted attribute");
                 return;
             }
             QVERIFY(putFile(s.path, kFormer));
             QCOMPARE(chown(s.path8.constData(), kNobody, kNobody), 0);
             QVERIFY(QFile::setPermissions(s.dir.path(), QFileDevice::Permissions(0x7777)));
             if (::setxattr(s.path8.constData(), "trusted.origen", "servidor", 8, 0) != 0)
                 s.skip = QStringLiteral("this file system keeps no trusted attributes");
         },
         {},
         true,
         [](SaveScene &s) {
             QCOMPARE(attributeOf(s.path, "trusted.origen"), QByteArray("servidor"));
             QCOMPARE(s.after.st_ino, s.before.st_ino);
             QCOMPARE(s.after.st_uid, uid_t(kNobody));
         }});
    row("a folder without anonymous temporaries", {[](SaveScene &s) {
                                                       QVERIFY(putFile(s.path, kFormer));
                                                       failSteps({SaveStep::AnonymousTemporary});
                                                   },
                                                   {},
                                                   false,
                                                   [](SaveScene &s) {
                                                       if (geteuid() == 0)
                                                           QVERIFY(s.after.st_ino != s.before.st_ino);
                                                   }});
    row("a chain of links", {[](SaveScene &s) {
                                 QVERIFY(putFile(s.other, kFormer));
                                 QVERIFY(QFile::link(QStringLiteral("otro.txt"), s.dir.filePath(QStringLiteral("b"))));
                                 QVERIFY(QFile::link(QStringLiteral("b"), s.path));
                                 s.expectedFiles << QStringLiteral("b") << QStringLiteral("otro.txt");
                             },
                             {},
                             false,
                             [](SaveScene &s) { QCOMPARE(fileBytes(s.other), s.saved); }});
    row("a loop of links", {[](SaveScene &s) {
                                QVERIFY(QFile::link(QStringLiteral("b"), s.path));
                                QVERIFY(QFile::link(QStringLiteral("Exp.txt"), s.dir.filePath(QStringLiteral("b"))));
                                s.expectedFiles << QStringLiteral("b");
                            },
                            QStringLiteral("Demasiados niveles de enlaces simbólicos")});
#else
    QTest::newRow("POSIX only") << SavedTarget{};
#endif
}

void TestSafeWrite::savingKeepsWhatTheFileWas()
{
#if defined(Q_OS_UNIX)
    QFETCH(SavedTarget, target);
    SaveScene s;
    target.arrange(s);
    if (!s.skip.isEmpty())
        QSKIP(qPrintable(s.skip));
    if (QTest::currentTestFailed())
        return;
    s.formerAcl = aclText(s.path);
    ::lstat(s.path8.constData(), &s.before);

    QString error;
    const bool written = target.byAnotherAccount
                             ? inUnprivilegedChild([&] { return writeFileBytes(s.path, s.saved, &error) ? 0 : 1; }) == 0
                             : writeFileBytes(s.path, s.saved, &error);
    if (target.failure.isEmpty())
        QVERIFY2(written, qPrintable(error));
    else
        QVERIFY2(!written && error.contains(target.failure), qPrintable(error));

    QCOMPARE(::lstat(s.path8.constData(), &s.after), 0);
    QCOMPARE(s.after.st_mode & S_IFMT, s.before.st_mode & S_IFMT); // a device, pipe, socket or link stays one
    target.check(s);
    if (QTest::currentTestFailed())
        return;
    if (S_ISREG(s.after.st_mode))
        QCOMPARE(fileBytes(s.path), target.failure.isEmpty() ? s.saved : kFormer);
    QStringList files =
        QDir(s.dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    files.sort();
    s.expectedFiles.sort();
    QCOMPARE(files, s.expectedFiles); // no temporary left
    QCOMPARE(QDir(backupFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(childBackups(), QStringList());
#else
    QSKIP("devices, pipes, links and ACLs as POSIX has them");
#endif
}

void TestSafeWrite::inPlaceFailureLeavesAWholeFile_data()
{
    QTest::addColumn<QList<SaveStep>>("failing");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("backupKept");
    const QString untouched = QStringLiteral("No se ha escrito nada.");
    const QString restored = QStringLiteral("El archivo conserva su contenido anterior.");
    QTest::newRow("the lock") << QList<SaveStep>{SaveStep::Locked} << save_steps::injectedFailureText() << false;
    QTest::newRow("the backup") << QList<SaveStep>{SaveStep::Backup} << untouched << false;
    QTest::newRow("reserving space") << QList<SaveStep>{SaveStep::ReserveSpace} << save_steps::injectedFailureText()
                                     << false;
    QTest::newRow("writing") << QList<SaveStep>{SaveStep::WriteContent} << restored << false;
    QTest::newRow("cutting") << QList<SaveStep>{SaveStep::CutToLength} << restored << false;
    QTest::newRow("syncing") << QList<SaveStep>{SaveStep::SyncContent} << restored << false;
    QTest::newRow("writing, then restoring")
        << QList<SaveStep>{SaveStep::WriteContent, SaveStep::Restore}
        << QStringLiteral("su contenido anterior está en la copia de seguridad ") << true;
}

void TestSafeWrite::inPlaceFailureLeavesAWholeFile()
{
#if defined(Q_OS_UNIX)
    QFETCH(QList<SaveStep>, failing);
    QFETCH(QString, message);
    QFETCH(bool, backupKept);
    // A second link makes the save write in place; a short table over a long
    // one leaves the former tail behind unless the file is cut or restored.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    const QByteArray former = savedBytes(numberedTable(300));
    QVERIFY(putFile(path, former));
    QCOMPARE(
        ::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath(QStringLiteral("b"))).constData()),
        0);
    failSteps({failing.begin(), failing.end()});
    QString error;
    QVERIFY(!writeFileBytes(path, savedBytes(numberedTable(2)), &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    const QStringList backups = QDir(backupFolder()).entryList(QDir::Files | QDir::Hidden);
    if (backupKept) {
        QCOMPARE(backups.size(), 1);
        const QString backup = QDir(backupFolder()).filePath(backups.constFirst());
        QVERIFY2(error.contains(QDir::toNativeSeparators(backup)), qPrintable(error));
        QCOMPARE(fileBytes(backup), former);
        QVERIFY(QFile::remove(backup));
    } else {
        QCOMPARE(backups, QStringList());
        QCOMPARE(fileBytes(path), former);
    }
#else
    QSKIP("a second link to a file is a POSIX facility");
#endif
}

void TestSafeWrite::interruptedSaveLeavesNoTemporary_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("inPlace");
#if defined(Q_OS_UNIX)
    for (const auto &[number, name] : {std::pair{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}}) {
        QTest::addRow("%s, a named temporary", name) << number << false;
        QTest::addRow("%s, in place", name) << number << true;
    }
#endif
}

void TestSafeWrite::interruptedSaveLeavesNoTemporary()
{
#if defined(Q_OS_UNIX)
    QFETCH(int, signalNumber);
    QFETCH(bool, inPlace);
    // The signal comes while a named temporary exists (a folder without
    // anonymous ones, as on NFS), or once the backup of a file written in
    // place is made: the save is undone, then the signal ends the process.
    if (!inPlace && geteuid() != 0)
        QSKIP(kNoReplacementHere);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, kFormer));
    QStringList expected{QStringLiteral("Exp.txt")};
    if (inPlace) {
        QCOMPARE(::link(QFile::encodeName(path).constData(),
                        QFile::encodeName(dir.filePath(QStringLiteral("b"))).constData()),
                 0);
        expected.prepend(QStringLiteral("b"));
    }
    const pid_t child = fork();
    if (child == 0) {
        if (inPlace)
            failSteps({}, signalNumber, SaveStep::Backup);
        else
            failSteps({SaveStep::AnonymousTemporary}, signalNumber, SaveStep::NamedTemporary);
        QString error;
        writeFileBytes(path, savedBytes(numberedTable(50)), &error);
        _exit(0); // not reached: the signal ends the process
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), signalNumber);
    QCOMPARE(fileBytes(path), kFormer);
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden);
    files.sort();
    expected.sort();
    QCOMPARE(files, expected);
    QCOMPARE(QDir(backupFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
#else
    QSKIP("signals are POSIX's");
#endif
}

namespace {

// What the child below saves, the step it waits at, and the folder where it
// says it is there ("listo") and is told to go on ("sigue").
const char kChildTarget[] = "VEXP_TEST_SAVE_TARGET";
const char kChildStep[] = "VEXP_TEST_SAVE_STEP";
const char kChildSignals[] = "VEXP_TEST_SAVE_SIGNALS";

bool waitAtStep(SaveStep step)
{
    if (int(step) == qEnvironmentVariableIntValue(kChildStep)) {
        const QDir signalFolder(qEnvironmentVariable(kChildSignals));
        putFile(signalFolder.filePath(QStringLiteral("listo")), "listo");
        while (!signalFolder.exists(QStringLiteral("sigue")))
            QThread::msleep(20);
    }
    return false;
}

// Starts this test program as the child that saves a 100-level table to
// `path` and waits at `step`; returns once it waits there.
bool startHeldSave(QProcess &child, const QString &path, SaveStep step, const QString &signalFolder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildTarget), path);
    environment.insert(QString::fromLatin1(kChildStep), QString::number(int(step)));
    environment.insert(QString::fromLatin1(kChildSignals), signalFolder);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("heldSaveChild")});
    if (!child.waitForStarted())
        return false;
    return QTest::qWaitFor([&] { return QDir(signalFolder).exists(QStringLiteral("listo")); }, 60000);
}

// A second name for the file at `path`, so that it is written in place.
bool secondLink(const QString &path, const QString &other)
{
#if defined(Q_OS_WIN)
    return CreateHardLinkW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(other).utf16()),
                           reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()), nullptr);
#else
    return ::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) == 0;
#endif
}

} // namespace

void TestSafeWrite::killedSaveLeavesTheFormerTable_data()
{
    QTest::addColumn<bool>("inPlace");
    QTest::newRow("replacing, with the new table in the temporary") << false;
    QTest::newRow("in place, with the new table written and the tail of the former after it") << true;
}

void TestSafeWrite::killedSaveLeavesTheFormerTable()
{
    QFETCH(bool, inPlace);
#if defined(Q_OS_UNIX)
    if (!inPlace && geteuid() != 0)
        QSKIP(kNoReplacementHere);
#endif
    // A child process is killed (SIGKILL; TerminateProcess on Windows) at
    // the worst moment of each path: the former table stays whole, in the
    // file or, written in place, in the named backup, which is then found.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    const QByteArray former = savedBytes(numberedTable(300));
    QVERIFY(putFile(path, former));
    if (inPlace)
        QVERIFY(secondLink(path, dir.filePath(QStringLiteral("b"))));
    QTemporaryDir signalFolder;
    QProcess child;
    QVERIFY(
        startHeldSave(child, path, inPlace ? SaveStep::WriteContent : SaveStep::TemporaryWritten, signalFolder.path()));
    child.kill();
    QVERIFY(child.waitForFinished());
    const QStringList expected =
        inPlace ? QStringList{QStringLiteral("b"), QStringLiteral("Exp.txt")} : QStringList{QStringLiteral("Exp.txt")};
    QTRY_COMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase), expected);
    if (!inPlace) {
        QCOMPARE(fileBytes(path), former);
        QCOMPARE(leftoverBackupOf(path), QString());
        return;
    }
    QVERIFY(fileBytes(path).startsWith(savedBytes(numberedTable(100))));
    const QStringList backups = QDir(backupFolder()).entryList(QDir::Files);
    QCOMPARE(backups.size(), 1);
    const QString backup = QDir::toNativeSeparators(QDir(backupFolder()).filePath(backups.constFirst()));
    QCOMPARE(fileBytes(backup), former);
    QVERIFY2(backups.constFirst().startsWith(QStringLiteral("Exp.txt.")), qPrintable(backups.constFirst()));
    QCOMPARE(leftoverBackupOf(path), backup);
    QCOMPARE(leftoverBackupOf(dir.filePath(QStringLiteral("b"))), backup); // the same file by its other name

    // The next save keeps that backup and makes its own beside it.
    QString error;
    QVERIFY2(writeFileBytes(path, savedBytes(numberedTable(5)), &error), qPrintable(error));
    QCOMPARE(fileBytes(path), savedBytes(numberedTable(5)));
    QCOMPARE(QDir(backupFolder()).entryList(QDir::Files), backups);
    QVERIFY(QFile::remove(backup));
    QCOMPARE(leftoverBackupOf(path), QString());
}

void TestSafeWrite::heldSaveChild()
{
    // Run by the tests above and below in a process of its own: exits 0
    // when its save, let go on, succeeds.
    if (!qEnvironmentVariableIsSet(kChildTarget))
        QSKIP("the child of killedSaveLeavesTheFormerTable and twoSavesAtOnce");
    setSaveStepHook(waitAtStep);
    QString error;
    const bool written = writeFileBytes(qEnvironmentVariable(kChildTarget), savedBytes(numberedTable(100)), &error);
    std::fflush(nullptr);
    std::_Exit(written ? 0 : 1);
}

void TestSafeWrite::twoSavesAtOnce_data()
{
    QTest::addColumn<bool>("secondReplaces");
    QTest::newRow("the second in place too") << false;
    QTest::newRow("the second by a replacement") << true;
}

void TestSafeWrite::twoSavesAtOnce()
{
    QFETCH(bool, secondReplaces);
    // The first save is held with its new table written over the former,
    // not yet cut: the second may neither write nor rename over it.
    QTemporaryDir dir, signalFolder;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, savedBytes(numberedTable(400))));
    QProcess firstSave;
    if (secondReplaces) {
#if defined(Q_OS_UNIX)
        // The first by an account that may write the file but not the
        // folder (in place), the second by root (a replacement).
        if (geteuid() != 0)
            QSKIP("the first save written in place by another account, the second replacing as root");
        QCOMPARE(chown(QFile::encodeName(path).constData(), 0, kStaff), 0);
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0664), 0);
        QVERIFY(QFile::setPermissions(signalFolder.path(), QFileDevice::Permissions(0x7777)));
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7755)));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), childCacheHome);
        firstSave.setProcessEnvironment(environment);
        firstSave.setChildProcessModifier([] {
            const gid_t groups[] = {kStaff};
            if (setgroups(1, groups) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
                _exit(99);
        });
#else
        QSKIP("another account's save is tried on POSIX");
#endif
    } else {
        QVERIFY(secondLink(path, dir.filePath(QStringLiteral("b"))));
    }
    QVERIFY(startHeldSave(firstSave, path, SaveStep::WriteContent, signalFolder.path()));
    const QByteArray second = savedBytes(numberedTable(3000));
    QString error;
    QVERIFY(!writeFileBytes(path, second, &error));
    QCOMPARE(error, QStringLiteral("Otro proceso está guardando el archivo."));
    QVERIFY(putFile(QDir(signalFolder.path()).filePath(QStringLiteral("sigue")), "sigue"));
    QVERIFY(firstSave.waitForFinished(60000));
    QCOMPARE(firstSave.exitStatus(), QProcess::NormalExit);
    QCOMPARE(firstSave.exitCode(), 0);
    QCOMPARE(fileBytes(path), savedBytes(numberedTable(100))); // one table, whole: no tail, no NUL bytes
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    files.removeOne(QStringLiteral("b"));
    QCOMPARE(files, QStringList{QStringLiteral("Exp.txt")});
    QCOMPARE(QDir(backupFolder()).entryList(QDir::Files), QStringList());
#if defined(Q_OS_UNIX)
    QCOMPARE(childBackups(), QStringList());
#endif
    // Once the first is done, the second saves.
    QVERIFY2(writeFileBytes(path, second, &error), qPrintable(error));
    QCOMPARE(fileBytes(path), second);
}

void TestSafeWrite::refusedRenamesSaveInPlace_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("a file bind-mounted on another") << QStringLiteral("bind");
    QTest::newRow("an append-only folder") << QStringLiteral("append");
    QTest::newRow("a name of 255 bytes") << QStringLiteral("long");
    QTest::newRow("a name of 255 bytes with a second link") << QStringLiteral("long, linked");
}

void TestSafeWrite::refusedRenamesSaveInPlace()
{
#if defined(Q_OS_UNIX)
    QFETCH(QString, target);
    QTemporaryDir dir;
    // 255 bytes of accented Spanish: 84 "ñ" (2 bytes each), then 87 "a".
    const QString longName = QString(84, u'ñ') + QString(83, u'a') + QStringLiteral(".txt");
    QCOMPARE(longName.toUtf8().size(), 255);
    QString path = dir.filePath(target.startsWith(QStringLiteral("long")) ? longName : QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, kFormer));
    QStringList expected{QFileInfo(path).fileName()};
    const QByteArray folder8 = QFile::encodeName(dir.path());
    long appendOnly = FS_APPEND_FL;
    int folderFd = -1;
    if (target == QStringLiteral("bind")) {
        const QString source = dir.filePath(QStringLiteral("fuera.txt"));
        QVERIFY(putFile(source, kFormer));
        if (::mount(QFile::encodeName(source).constData(), QFile::encodeName(path).constData(), nullptr, MS_BIND,
                    nullptr)
            != 0)
            QSKIP("this test cannot mount (root and CAP_SYS_ADMIN needed)");
        expected << QStringLiteral("fuera.txt");
    } else if (target == QStringLiteral("append")) {
        folderFd = ::open(folder8.constData(), O_RDONLY | O_DIRECTORY);
        if (geteuid() != 0 || ::ioctl(folderFd, FS_IOC_SETFLAGS, &appendOnly) != 0) {
            ::close(folderFd);
            QSKIP("chattr +a needs root and a file system that keeps the flag");
        }
    } else if (target == QStringLiteral("long, linked")) {
        QVERIFY(secondLink(path, dir.filePath(QStringLiteral("b"))));
        expected << QStringLiteral("b");
    }
    const ino_t formerInode = statOf(path).st_ino;
    QString error;
    const bool written = writeFileBytes(path, savedBytes(numberedTable(30)), &error);
    const QByteArray content = fileBytes(path);
    const ino_t inode = statOf(path).st_ino;
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (target == QStringLiteral("bind")) {
        QVERIFY(::umount(QFile::encodeName(path).constData()) == 0);
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("fuera.txt"))), content); // the mounted file itself
    } else if (target == QStringLiteral("append")) {
        long none = 0;
        QVERIFY(::ioctl(folderFd, FS_IOC_SETFLAGS, &none) == 0);
        ::close(folderFd);
    }
    QVERIFY2(written, qPrintable(error));
    QCOMPARE(content, savedBytes(numberedTable(30)));
    if (!target.startsWith(QStringLiteral("long")) || target.endsWith(QStringLiteral("linked")))
        QCOMPARE(inode, formerInode); // written in place
    files.sort();
    expected.sort();
    QCOMPARE(files, expected); // no temporary left, even where none could be removed
    QCOMPARE(QDir(backupFolder()).entryList(QDir::Files), QStringList());
#else
    QSKIP("mounts, folder flags and names of bytes are POSIX's");
#endif
}

void TestSafeWrite::backupFolderIsTheUsersOwn()
{
#if defined(Q_OS_UNIX)
    // $HOME is not where backups go (unset under cron, another's under sudo
    // -E), nor a relative XDG_CACHE_HOME.
    const QByteArray home = qgetenv("HOME"), cache = qgetenv("XDG_CACHE_HOME");
    qputenv("HOME", "/casa/de/otro");
    qputenv("XDG_CACHE_HOME", "relativa");
    const QStringList candidates = file_system::backupFolderCandidates();
    qunsetenv("HOME");
    const QStringList withoutHome = file_system::backupFolderCandidates();
    qputenv("HOME", home);
    qputenv("XDG_CACHE_HOME", cache);
    QCOMPARE(withoutHome, candidates);
    for (const QString &candidate : candidates) {
        QVERIFY2(candidate.startsWith(u'/') && !candidate.startsWith(QStringLiteral("//")), qPrintable(candidate));
        QVERIFY2(!candidate.contains(QStringLiteral("relativa")) && !candidate.contains(QStringLiteral("/casa/")),
                 qPrintable(candidate));
    }
    QCOMPARE(candidates.constLast(), QStringLiteral("/var/tmp/vandrel-exp-editor-%1").arg(geteuid()));

    // A folder made is private; a link or another's folder is not taken.
    QTemporaryDir dir;
    const QString made = dir.filePath(QStringLiteral("a/b/vandrel-exp-editor"));
    QVERIFY(file_system::makePrivateFolder(made));
    QCOMPARE(statOf(made).st_mode & 0777, mode_t(0700));
    const QString link = dir.filePath(QStringLiteral("enlace"));
    QVERIFY(QFile::link(made, link));
    QVERIFY(!file_system::makePrivateFolder(link));
    if (geteuid() == 0) {
        // Root under sudo -E, with the user's XDG_CACHE_HOME: nothing made there.
        const QString users = dir.filePath(QStringLiteral("usuario"));
        QVERIFY(QDir().mkpath(users));
        QCOMPARE(chown(QFile::encodeName(users).constData(), kNobody, kNobody), 0);
        QVERIFY(!file_system::makePrivateFolder(users + QStringLiteral("/.cache/vandrel-exp-editor")));
        QVERIFY(!QFileInfo::exists(users + QStringLiteral("/.cache")));
        QVERIFY(!file_system::makePrivateFolder(childCacheHome)); // another account's own

        // An account without a home (nobody: /nonexistent) falls back to /var/tmp.
        const QString fallback = QStringLiteral("/var/tmp/vandrel-exp-editor-%1").arg(kNobody);
        QDir(fallback).removeRecursively();
        const int status = inUnprivilegedChild([&] {
            qunsetenv("XDG_CACHE_HOME");
            qputenv("HOME", "/nonexistent");
            return backupFolder() == fallback ? 0 : 1;
        });
        const struct stat st = statOf(fallback);
        QDir(fallback).removeRecursively();
        QCOMPARE(status, 0);
        QCOMPARE(st.st_uid, kNobody);
        QCOMPARE(st.st_mode & 0777, mode_t(0700));
    }
#else
    QSKIP("Windows' folders are %LOCALAPPDATA% and %TEMP%");
#endif
}

void TestSafeWrite::windowsSavesKeepWhatTheFileWas_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("held open by another program") << QStringLiteral("held");
    QTest::newRow("read by a server, sharing reading and writing") << QStringLiteral("read");
    QTest::newRow("hidden and system") << QStringLiteral("hidden");
    QTest::newRow("a \\\\?\\ path") << QStringLiteral("prefixed");
}

void TestSafeWrite::windowsSavesKeepWhatTheFileWas()
{
#if defined(Q_OS_WIN)
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Exp.txt")));
    const auto wide = [](const QString &text) { return reinterpret_cast<const wchar_t *>(text.utf16()); };
    QVERIFY(putFile(path, kFormer));
    const QByteArray saved = savedBytes(numberedTable(20));
    QString error;
    if (target == QStringLiteral("held") || target == QStringLiteral("read")) {
        // As a running server holds its table: no sharing at all, or as
        // fopen(..., "r") does, sharing reading and writing but not deleting.
        // Neither replaced nor written under the reader.
        const DWORD sharing = target == QStringLiteral("read") ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
        const HANDLE held =
            CreateFileW(wide(path), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        QVERIFY(held != INVALID_HANDLE_VALUE);
        const bool written = writeFileBytes(path, savedBytes(numberedTable(20)), &error);
        CloseHandle(held);
        QVERIFY(!written);
        QCOMPARE(error, QStringLiteral("Otro programa tiene el archivo abierto."));
        QCOMPARE(fileBytes(path), kFormer);
    } else if (target == QStringLiteral("hidden")) {
        const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
        QVERIFY(SetFileAttributesW(wide(path), attributes));
        QVERIFY2(writeFileBytes(path, savedBytes(numberedTable(20)), &error), qPrintable(error));
        QCOMPARE(GetFileAttributesW(wide(path)) & attributes, attributes);
        QCOMPARE(fileBytes(path), saved);
    } else {
        QVERIFY2(writeFileBytes(QStringLiteral("\\\\?\\") + path, savedBytes(numberedTable(20)), &error),
                 qPrintable(error));
        QCOMPARE(fileBytes(path), saved);
        const QString fresh = QDir::toNativeSeparators(dir.filePath(QStringLiteral("nueva.txt")));
        QVERIFY2(writeFileBytes(QStringLiteral("\\\\?\\") + fresh, savedBytes(numberedTable(20)), &error),
                 qPrintable(error));
        QCOMPARE(fileBytes(fresh), saved);
        QVERIFY(QFile::remove(fresh));
    }
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    QVERIFY2(files == QStringList{QStringLiteral("Exp.txt")}, qPrintable(files.join(u' '))); // no temporary left
    SetFileAttributesW(wide(path), FILE_ATTRIBUTE_NORMAL);                                   // for the folder's removal
#else
    QSKIP("Windows' own files");
#endif
}

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "tst_safe_write.moc"
