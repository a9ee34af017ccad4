// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// File names as bytes: a name the system gives comes back to it byte for
// byte, two names never become one, messages show the bytes escaped, and a
// file is opened by its exact name.
#include "core/file_name.h"

#include "test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#endif

class TestFileName : public QObject
{
    Q_OBJECT

private slots:
    void bytesComeBack_data();
    void bytesComeBack();
    void shownEscaped();
    void opensTheExactName();
};

using namespace Qt::StringLiterals;

void TestFileName::bytesComeBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("UTF-8") << QByteArray("año.txt") << u"año.txt"_s;
    QTest::newRow("Latin-1 ñ") << QByteArray("a\xf1o.txt") << u"a\\xf1o.txt"_s;
    QTest::newRow("Latin-1 é") << QByteArray("a\xe9o.txt") << u"a\\xe9o.txt"_s;
    // A surrogate's UTF-8 bytes are no UTF-8: three kept bytes, never the
    // one byte 0xf1 a kept byte stands for.
    QTest::newRow("an encoded surrogate") << QByteArray("a\xed\xb3\xb1o.txt") << u"a\\xed\\xb3\\xb1o.txt"_s;
    QTest::newRow("a sequence cut short") << QByteArray("a\xc3") << u"a\\xc3"_s;
    QTest::newRow("four bytes") << QByteArray("\xf0\x9f\x98\x80.txt") << u"\U0001F600.txt"_s;
}

void TestFileName::bytesComeBack()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QString name = nameFromSystem(std::string_view(bytes.constData(), size_t(bytes.size())));
    QCOMPARE(systemName(name), bytes);
    QCOMPARE(shownName(name), shown);
    // "año" in UTF-8 and in Latin-1 stay two names.
    if (bytes != "año.txt")
        QVERIFY(name != u"año.txt"_s);
}

void TestFileName::shownEscaped()
{
    // Control characters from a name cannot act on a terminal.
    QCOMPARE(shownName(u"a\nb\x1b[2J.txt"_s), u"a\\nb\\x1b[2J.txt"_s);
    // Text that did not come from the system is UTF-8 whole.
    QCOMPARE(systemName(u"ñ"_s), QByteArray("\xc3\xb1"));
}

void TestFileName::opensTheExactName()
{
#if defined(Q_OS_UNIX)
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    // Two Latin-1 names QFile would both decode as "a\uFFFDo.txt".
    const int fd = ::open((folder + "/a\xf1o.txt").constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, "ñ", 2), ssize_t(2));
    ::close(fd);
    const QString there = dir.path() + u'/' + nameFromSystem("a\xf1o.txt"),
                  absent = dir.path() + u'/' + nameFromSystem("a\xe9o.txt");
    QFile file;
    QString reason;
    QVERIFY2(openNamed(file, there, QIODevice::ReadOnly, &reason), qPrintable(reason));
    QCOMPARE(file.readAll(), QByteArray("ñ"));
    QCOMPARE(kindOf(there), FileKind::Regular);
    QFile missing;
    QVERIFY(!openNamed(missing, absent, QIODevice::ReadOnly, &reason));
    QCOMPARE(reason, u"No existe el archivo o la carpeta"_s);
    QCOMPARE(kindOf(absent), FileKind::Unknown);
    QCOMPARE(kindOf(dir.path()), FileKind::Folder);
    QVERIFY(::unlink((folder + "/a\xf1o.txt").constData()) == 0); // which QTemporaryDir cannot name
#else
    QSKIP("names as bytes are POSIX's; Windows gives its programs UTF-16 names");
#endif
}

QTEST_APPLESS_MAIN(TestFileName)
#include "tst_file_name.moc"
