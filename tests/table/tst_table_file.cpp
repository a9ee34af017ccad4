// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "address_space.h"
#include "core/titulo.h"
#include "table/core/experience_table.h"
#include "table/core/file_snapshot.h"
#include "table/core/table_file.h"
#include "test_files.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

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
#include <sys/acl.h>
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

// A device that hands out `good` bytes, then fails.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(QByteArray good, qint64 writeLimit) : good_(std::move(good)), writeLimit_(writeLimit) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        if (good_.isEmpty()) {
            setErrorString(QStringLiteral("Error de E/S simulado"));
            return -1;
        }
        const qint64 n = std::min<qint64>(max, good_.size());
        memcpy(data, good_.constData(), size_t(n));
        good_.remove(0, n);
        return n;
    }
    qint64 writeData(const char *, qint64 len) override
    {
        if (written_ + len > writeLimit_) {
            setErrorString(QStringLiteral("No queda espacio simulado"));
            return -1;
        }
        written_ += len;
        return len;
    }

private:
    QByteArray good_;
    qint64 writeLimit_;
    qint64 written_ = 0;
};

// Rows as the test data writes them: fields joined by '|', rows by '/'.
QStringList rowsOf(const ExperienceTable &table)
{
    QStringList rows;
    for (int32_t r = 1; r < table.rowCount(); ++r) {
        QStringList fields;
        for (int c = 1; c <= 14; ++c)
            fields << QString::fromLatin1(table.text(r, c));
        while (!fields.isEmpty() && fields.last().isEmpty())
            fields.removeLast();
        rows << table.text(r, 0) + QLatin1Char(':') + fields.join(QLatin1Char('|'));
    }
    return rows;
}
const QByteArray kFormer("//Archivo Creado Con Otro\r\n1,2,3,,,,,,,,,,,\r\n");

} // namespace

class TestTableFile : public QObject
{
    Q_OBJECT
    PrivateCacheHome cache_; // the backups of saves written in place

private slots:
    void reading_data();
    void reading();
    void rowLines_data();
    void rowLines();
    void writingHasTheExactLayout();
    void savedAndOpenedAgainIsUnchanged();
    void anyByteComesBack();

    void readFailureKeepsTheTable_data();
    void readFailureKeepsTheTable();
    void allocationFailureKeepsTheTable();
    void writeFailureReportsThePlatform();
    void tooManyRowsIsRefusedBeforeTheFile();
    void snapshotTellsAnotherChange_data();
    void snapshotTellsAnotherChange();
};

void TestTableFile::reading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("rows");

    const QString longField(1000, QLatin1Char('x'));
    const QString field254(254, QLatin1Char('y'));
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("comment only") << savedComment() << QStringList();
    QTest::newRow("no comment line") << QByteArray("1,2\r\n3,4\r\n") << QStringList{"2:1|2", "3:3|4"};
    QTest::newRow("three fields") << QByteArray("x\r\n1,2,3\r\n") << QStringList{"2:1|2|3"};
    QTest::newRow("sixteen fields wrap") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\na,b\r\n")
                                         << QStringList{"2:1|2|3|4|5|6|7|8|9|10|11|12|13|14", "3:15|16", "4:a|b"};
    QTest::newRow("fifteen fields") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15")
                                    << QStringList{"2:1|2|3|4|5|6|7|8|9|10|11|12|13|14", "3:15"};
    QTest::newRow("fifteen fields, trailing comma") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,\r\n")
                                                    << QStringList{"2:1|2|3|4|5|6|7|8|9|10|11|12|13|14", "3:15"};
    QTest::newRow("fourteen fields, trailing comma")
        << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,\r\n") << QStringList{"2:1|2|3|4|5|6|7|8|9|10|11|12|13|14"};
    QTest::newRow("twenty-eight fields") << QByteArray("a,,,,,,,,,,,,,b,c,,,,,,,,,,,,,d")
                                         << QStringList{"2:a|||||||||||||b", "3:c|||||||||||||d"};
    QTest::newRow("blank and comma-less lines") << QByteArray("\r\n7\r\n \r\n1,2\r\n\r\n") << QStringList{"2:1|2"};
    QTest::newRow("a lone comma") << QByteArray(",\r\n") << QStringList{"2:"};
    QTest::newRow("empty fields and spaces") << QByteArray(" 10 ,,3") << QStringList{"2: 10 ||3"};
    QTest::newRow("comment with a comma is data") << QByteArray("//hola, mundo\r\n") << QStringList{"2://hola| mundo"};
    QTest::newRow("LF line ends") << QByteArray("1,2\n3,4\n") << QStringList{"2:1|2", "3:3|4"};
    QTest::newRow("CR line ends") << QByteArray("1,2\r3,4\r") << QStringList{"2:1|2", "3:3|4"};
    QTest::newRow("mixed line ends, empty lines")
        << QByteArray("1,2\n\r\n\r\r3,4\n\n5,6") << QStringList{"2:1|2", "3:3|4", "4:5|6"};
    QTest::newRow("254 characters before a comma")
        << (field254 + QStringLiteral(",1")).toLatin1()
        << QStringList{QStringLiteral("2:") + field254 + QStringLiteral("|1")};
    QTest::newRow("1000 characters before a comma")
        << (longField + QStringLiteral(",") + longField).toLatin1()
        << QStringList{QStringLiteral("2:") + longField + QLatin1Char('|') + longField};
}

void TestTableFile::reading()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, rows);
    const ExperienceTable table = tableFromBytes(file);
    QCOMPARE(rowsOf(table), rows);
    QCOMPARE(table.rowCount(), rows.size() + 1);
}

void TestTableFile::rowLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<qint64>>("lines"); // the line each row begins on

    QTest::newRow("CR LF") << QByteArray("//c\r\n1,2\r\n3,4\r\n") << QList<qint64>{2, 3};
    QTest::newRow("one line, two rows") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\n7,8")
                                        << QList<qint64>{1, 1, 2};
    QTest::newRow("lone CRs and LFs, LF CR is two") << QByteArray("a\r\rb\n\nc\n\r1,2") << QList<qint64>{7};
    QTest::newRow("empty lines and comma-less lines")
        << QByteArray("\r\n7\r\n \r\n1,2\r\n\r\n3,4") << QList<qint64>{4, 6};
    QByteArray many;
    for (int line = 0; line < 1000; ++line)
        many += line % 3 == 0 ? "1,2\r\n" : line % 3 == 1 ? "3,4\n" : "5,6\r";
    QTest::newRow("a thousand lines, three kinds of end") << many << [] {
        QList<qint64> lines;
        for (qint64 line = 1; line <= 1000; ++line)
            lines.append(line);
        return lines;
    }();
    // Every place a line end can take in a word of eight bytes and across
    // two: a CR LF split between words counts once, a CR closing a word and
    // an LF opening the next too.
    for (int lead = 0; lead < 17; ++lead) {
        const QByteArray pad(lead, 'x');
        QTest::addRow("CR LF after %d bytes", lead) << pad + "\r\n1,2" << QList<qint64>{2};
        QTest::addRow("CR, CR LF, LF after %d bytes", lead) << pad + "\r\r\n\n1,2" << QList<qint64>{4};
        QTest::addRow("LF CR after %d bytes", lead) << pad + "\n\r1,2" << QList<qint64>{3};
    }
}

void TestTableFile::rowLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<qint64>, lines);
    const ExperienceTable table = tableFromBytes(file);
    QCOMPARE(table.rowCount(), lines.size() + 1);
    std::vector<int32_t> rows;
    for (int32_t row = 1; row < table.rowCount(); ++row)
        rows.push_back(row);
    const std::vector<qint64> found = fileLinesOfRows(table, rows);
    QCOMPARE(QList<qint64>(found.begin(), found.end()), lines);
    // One row alone, the last: its line does not depend on the rows asked before.
    QCOMPARE(fileLinesOfRows(table, {table.rowCount() - 1}), std::vector<qint64>{lines.last()});
}

void TestTableFile::writingHasTheExactLayout()
{
    const QByteArray comment = "//Archivo Creado Con " + Titulo().toLatin1() + "\r\n";
    QCOMPARE(comment, QByteArray("//Archivo Creado Con Vandrel EXP Editor v1.0\r\n"));

    ExperienceTable headerOnly;
    headerOnly.setRowCount(1);
    QCOMPARE(savedBytes(headerOnly), comment);

    ExperienceTable empty; // one blank row: thirteen commas alone
    QCOMPARE(savedBytes(empty), comment + ",,,,,,,,,,,,,\r\n");

    const ExperienceTable three = tableFromBytes("1,2,3\n 10 ,1,2,3,4,5,6,7,8,9,10,11,12,13,14");
    QCOMPARE(savedBytes(three),
             comment + "1,2,3,,,,,,,,,,,\r\n 10 ,1,2,3,4,5,6,7,8,9,10,11,12,13\r\n14,,,,,,,,,,,,,\r\n");
}

void TestTableFile::savedAndOpenedAgainIsUnchanged()
{
    ExperienceTable table = numberedTable(kMaxSavedRows);
    table.setValue(7, 3, "");
    table.setValue(8, 14, "  ");
    const QByteArray saved = savedBytes(table);
    const ExperienceTable again = tableFromBytes(saved);
    QCOMPARE(again.rowCount(), table.rowCount());
    for (int32_t r = 1; r < table.rowCount(); ++r)
        for (int c = 1; c <= 14; ++c)
            QCOMPARE(again.value(r, c), table.value(r, c));
    QCOMPARE(again.text(1, 0), QByteArray("2"));
    QCOMPARE(again.text(3, 0), QByteArray("4"));
    QCOMPARE(savedBytes(again), saved);

    // A file large enough to be held in huge pages reads the same.
    QByteArray big;
    for (int r = 0; r < 200000; ++r)
        big += QByteArray::number(r)
               + ",1234567890,2345678901,3456789012,4567890123,5678901234,6789012345,"
                 "7890123456,8901234567,9012345678,1123456789,1223456789,1233456789,1234456789\r\n";
    QVERIFY(big.size() > (16 << 20));
    const ExperienceTable bigTable = tableFromBytes(big);
    QCOMPARE(bigTable.rowCount(), 200001);
    QCOMPARE(bigTable.text(200000, 1), QByteArray("199999"));
    QCOMPARE(bigTable.text(123457, 14), QByteArray("1234456789"));
    QCOMPARE(bigTable.text(123457, 0), QByteArray("123458"));
}

void TestTableFile::anyByteComesBack()
{
    QByteArray line;
    for (int b = 0; b < 256; ++b)
        if (b != ',' && b != '\r' && b != '\n')
            line += char(b);
    const QByteArray file = "//c\r\n" + line + "," + line + ",,x\r\n";
    const ExperienceTable table = tableFromBytes(file);
    QCOMPARE(table.text(1, 1), line);
    QCOMPARE(table.text(1, 2), line);
    QCOMPARE(table.text(1, 4), QByteArray("x"));
    const QByteArray saved = savedBytes(table);
    QVERIFY(saved.contains(line + "," + line + ",,x,,,,,,,,,,\r\n"));
}

void TestTableFile::readFailureKeepsTheTable_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
#if defined(Q_OS_UNIX)
    QTest::newRow("missing file") << QStringLiteral("/nonexistent/Exp.txt")
                                  << QStringLiteral("No existe el archivo o la carpeta");
    QTest::newRow("a folder") << QStringLiteral("/") << QStringLiteral("directory");
    // Inputs that would take all the machine's memory are refused early.
    QTest::newRow("/dev/zero, one endless line") << QStringLiteral("/dev/zero") << QStringLiteral("más de 64 MiB");
    QTest::newRow("a FIFO that never ends") << QStringLiteral("fifo") << QStringLiteral("más de 64 MiB");
#else
    // Windows words its failures its own way; that there is one is what counts.
    QTest::newRow("missing file") << QStringLiteral("Z:/nonexistent/Exp.txt") << QString();
#endif
    QTest::newRow("a 5 GiB file") << QStringLiteral("5GiB") << QStringLiteral("ocupa más de 4 GiB");
    // A regular file is read in one go: the bound holds for every line of
    // it, not only for the one the last block ends in.
    QTest::newRow("a 70 MB line between short ones") << QStringLiteral("70MB") << QStringLiteral("más de 64 MiB");
}

void TestTableFile::readFailureKeepsTheTable()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QProcess writer;
#if defined(Q_OS_UNIX)
    if (path == QStringLiteral("fifo")) {
        path = dir.filePath(path);
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        writer.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec cat /dev/zero > \"$0\""), path});
    }
#endif
    if (path == QStringLiteral("70MB")) {
        path = dir.filePath(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("1,2\r\n") == 5);
        QVERIFY(file.write(QByteArray(70'000'000, '7') + ",8\r\n") > 0);
        QVERIFY(file.write("3,4\r\n") == 5);
    }
    if (path == QStringLiteral("5GiB")) {
        path = dir.filePath(path);
        QFile big(path); // sparse: takes no disk
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(5) << 30));
    }
    ExperienceTable table = numberedTable(3);
    QString error;
    if (QFileInfo(path).isFile() || QFileInfo(path).isDir() || !QFileInfo::exists(path)) {
        QVERIFY(!readTableFile(path, table, &error));
    } else {
        // readTableFile refuses pipes and devices before opening them; the
        // tool reads them, and the reader's own bounds hold there.
        QVERIFY(!readTableFile(path, table, &error));
        QCOMPARE(error, notAPlainFileMessage());
        QCOMPARE(table.rowCount(), 4);
        QFile input(path);
        QVERIFY(input.open(QIODevice::ReadOnly));
        QVERIFY(!LeerTabla(input, table, &error));
    }
    writer.kill();
    writer.waitForFinished();
    QVERIFY2(error.contains(expected), qPrintable(error));
    QCOMPARE(table.rowCount(), 4);
    QCOMPARE(table.text(3, 1), QByteArray("3"));

    // A device failing midway: the rows read so far are not kept either.
    FailingDevice device("1,2\r\n3,4\r\n", 0);
    device.open(QIODevice::ReadOnly);
    QVERIFY(!LeerTabla(device, table, &error));
    QCOMPARE(error, QStringLiteral("Error de E/S simulado"));
    QCOMPARE(rowsOf(table), rowsOf(numberedTable(3)));
}

void TestTableFile::allocationFailureKeepsTheTable()
{
#if defined(Q_OS_LINUX)
    // The process may map only a little more than it has now: a 1 GiB file
    // cannot be taken in, and the reader must say so instead of aborting.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grande.txt"));
    QFile big(path);
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(1) << 30));
    big.close();
    const rlim_t current = addressSpaceInUse();
    QVERIFY(current > 0);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_AS, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = current + (rlim_t(256) << 20);

    ExperienceTable table = numberedTable(3);
    QString error;
    QCOMPARE(setrlimit(RLIMIT_AS, &tight), 0);
    const bool read = readTableFile(path, table, &error);
    QCOMPARE(setrlimit(RLIMIT_AS, &saved), 0);
    QVERIFY(!read);
    QVERIFY2(error.startsWith(QStringLiteral("No hay memoria suficiente")), qPrintable(error));
    QCOMPARE(rowsOf(table), rowsOf(numberedTable(3)));
#else
    QSKIP("an address-space limit is a Linux facility");
#endif
}

void TestTableFile::writeFailureReportsThePlatform()
{
    FailingDevice device({}, 100);
    device.open(QIODevice::WriteOnly);
    QString error;
    QVERIFY(!GuardarTabla(device, numberedTable(50000 / 40), &error));
    QCOMPARE(error, QStringLiteral("No queda espacio simulado"));
}

void TestTableFile::tooManyRowsIsRefusedBeforeTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, kFormer));
    const ExperienceTable big = numberedTable(kMaxSavedRows + 1);
    QString error;
    QVERIFY(!writeTableFile(path, big, &error));
    QCOMPARE(error, tooManyRowsMessage(kMaxSavedRows + 1));
    QVERIFY(error.contains(QStringLiteral("32768")) && error.contains(QStringLiteral("32767")));
    QCOMPARE(fileBytes(path), kFormer);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(!GuardarTabla(buffer, big, &error));
    QVERIFY(buffer.data().isEmpty());
}

void TestTableFile::snapshotTellsAnotherChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("changed");
    QTest::newRow("none") << QString() << false;
    QTest::newRow("touched") << QStringLiteral("touch") << false;
    QTest::newRow("rewritten with the same bytes") << QStringLiteral("rewrite same") << false;
    QTest::newRow("replaced by a copy of itself") << QStringLiteral("rename same") << false;
    QTest::newRow("removed") << QStringLiteral("remove") << false;
    QTest::newRow("one byte changed") << QStringLiteral("rewrite byte") << true;
    QTest::newRow("a row added") << QStringLiteral("rewrite longer") << true;
    QTest::newRow("replaced by another table") << QStringLiteral("rename other") << true;
}

void TestTableFile::snapshotTellsAnotherChange()
{
    QFETCH(QString, change);
    QFETCH(bool, changed);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt")), copy = dir.filePath(QStringLiteral("copia.txt"));
    QVERIFY(putFile(path, kFormer));
    ExperienceTable table;
    QString error;
    FileIdentity identity;
    QVERIFY(readTableFile(path, table, &error, &identity));
    const FileSnapshot snapshot = FileSnapshot::of(path, identity, table.arena());
    QVERIFY(snapshot.isOf(path));
    QVERIFY(!snapshot.isOf(copy));
#if defined(Q_OS_UNIX) // a link, not a Windows shortcut
    QVERIFY(QFile::link(path, dir.filePath(QStringLiteral("enlace"))));
    QVERIFY(snapshot.isOf(dir.filePath(QStringLiteral("enlace"))));
#endif

    QByteArray other = kFormer;
    other[other.size() - 3] = '9';
    QThread::msleep(20); // a later modification time on any file system's clock
    if (change == QStringLiteral("touch")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite)
                && file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    } else if (change.startsWith(QStringLiteral("rewrite"))) {
        QVERIFY(putFile(path, change.endsWith(QStringLiteral("same"))   ? kFormer
                              : change.endsWith(QStringLiteral("byte")) ? other
                                                                        : kFormer + "4,5\r\n"));
    } else if (change.startsWith(QStringLiteral("rename"))) {
        QVERIFY(putFile(copy, change.endsWith(QStringLiteral("same")) ? kFormer : other));
        QVERIFY(QFile::remove(path) && QFile::rename(copy, path));
    } else if (change == QStringLiteral("remove")) {
        QVERIFY(QFile::remove(path));
    }
    QCOMPARE(snapshot.changedOnDisk(), changed);
    QVERIFY(!FileSnapshot::ofFileNow(path).changedOnDisk());
}

QTEST_GUILESS_MAIN(TestTableFile)
#include "tst_table_file.moc"
