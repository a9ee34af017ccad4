// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The check of a table file (what comprobar reports), in process: one row
// per finding code, numbers compared by value, long values cut.
#include "server/core/table_check.h"
#include "table/core/table_file.h"
#include "test_files.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <numeric>
#include <string>

class TestTableCheck : public QObject
{
    Q_OBJECT

private slots:
    void findingCodes_data();
    void findingCodes();
    void checkOrdersNumbersByValue_data();
    void checkOrdersNumbersByValue();
    void checkCutsLongValues();
    void manualListsEveryCode();
    void lastLevelOfEachGroup_data();
    void lastLevelOfEachGroup();
    void shownValuesAreSafe_data();
    void shownValuesAreSafe();
};

void TestTableCheck::shownValuesAreSafe_data()
{
    // A cell's bytes as a report quotes them: UTF-8 as it is, the rest escaped.
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << QByteArray("12a") << QStringLiteral("12a");
    QTest::newRow("a terminal's colour") << QByteArray("\x1b[31m5") << QStringLiteral("\\x1b[31m5");
    QTest::newRow("tab, line end, DEL") << QByteArray("1\t2\n3\r\x7f") << QStringLiteral("1\\t2\\n3\\r\\x7f");
    QTest::newRow("UTF-8 stays") << QByteArray("a\xc3\xb1o") << QStringLiteral("año");
    QTest::newRow("Latin-1 byte") << QByteArray("a\xf1o") << QStringLiteral("a\\xf1o");
    QTest::newRow("C1 control in UTF-8") << QByteArray("\xc2\x9b") << QStringLiteral("\\xc2\\x9b");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QStringLiteral("\\xc0\\xaf");
    QTest::newRow("a surrogate") << QByteArray("\xed\xa0\x80") << QStringLiteral("\\xed\\xa0\\x80");
    QTest::newRow("cut short") << QByteArray("\xe2\x82") << QStringLiteral("\\xe2\\x82");
    QTest::newRow("four bytes") << QByteArray("\xf0\x9f\x98\x80") << QString::fromUtf8("\xf0\x9f\x98\x80");
}

void TestTableCheck::shownValuesAreSafe()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, shown);
    QCOMPARE(shownValue(std::string_view(value.constData(), size_t(value.size()))), shown);
    // And in a finding, as comprobar reports it.
    const TableCheck check =
        checkTableBytes(savedComment().toStdString() + value.toStdString() + ",2,3,4,5,6,7,8,9,10,11,12,13,14\r\n",
                        ServerInteger::Int32);
    if (!value.contains('\n') && !value.contains('\r')) { // those end the line instead
        QCOMPARE(check.findings.size(), size_t(1));
        QVERIFY2(check.findings[0].message.contains(QStringLiteral("«%1»").arg(shown)),
                 qPrintable(check.findings[0].message));
    }
}

void TestTableCheck::findingCodes_data()
{
    // One file per finding; the findings expected, "LÍNEA:CAMPO: gravedad codigo".
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("findings");
    const QByteArray c = savedComment();
    const QByteArray ok = "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n";
    const QString int32 = QStringLiteral("int32"), uint32 = QStringLiteral("uint32");
    const auto one = [](const char *finding) { return QStringList{QString::fromUtf8(finding)}; };
    QTest::newRow("a clean table") << c + ok << int32 << QStringList();
    QTest::newRow("campos") << c + ok + "1,2,3\r\n" << int32 << one("3:0: error campos");
    QTest::newRow("vacio") << c + "1,2,,4,5,6,7,8,9,10,11,12,13,14\r\n" << int32 << one("2:3: error vacio");
    QTest::newRow("vacio, thirteen values and a comma") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,\r\n"
                                                        << int32 << one("2:14: error vacio");
    QTest::newRow("vacio, twelve values and two commas")
        << c + "1,2,3,4,5,6,7,8,9,10,11,12,,\r\n"
        << int32 << QStringList{QStringLiteral("2:13: error vacio"), QStringLiteral("2:14: error vacio")};
    QTest::newRow("fourteen values and a comma: fifteen fields") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14,\r\n"
                                                                 << int32 << one("2:0: error campos");
    QTest::newRow("no_numerico, exponent") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,1.00860076172675E+15\r\n"
                                           << int32 << one("2:14: error no_numerico");
    // What a server reads as a number although the grid shows other text.
    QTest::newRow("signo_o_blanco, +5") << c + "1,+2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                        << int32 << one("2:2: aviso signo_o_blanco");
    QTest::newRow("signo_o_blanco, a blank before") << c + " 1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                                    << int32 << one("2:1: aviso signo_o_blanco");
    QTest::newRow("signo_o_blanco, a tab after the last") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\t\r\n"
                                                          << int32 << one("2:14: aviso signo_o_blanco");
    QTest::newRow("no_numerico, a blank before a comma") << c + "1,2 ,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                                         << int32 << one("2:2: error no_numerico");
    QTest::newRow("no_numerico, a sign alone") << c + "1,+,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                               << int32 << one("2:2: error no_numerico");
    QTest::newRow("negativo") << c + "1,2,3,4,5,6,7,-8,9,10,11,12,13,14\r\n" << int32 << one("2:8: error negativo");
    QTest::newRow("-0 is read as 0") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,-0\r\n"
                                     << int32 << one("2:14: aviso signo_o_blanco");
    QTest::newRow("fin_de_grupo, a zero in the middle")
        << c + ok + "2,3,4,5,6,7,8,0,10,11,12,13,14,15\r\n" + "3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\n"
        << int32 << QStringList{QStringLiteral("3:8: aviso descenso"), QStringLiteral("3:8: aviso fin_de_grupo")};
    // A lone CR glues the next line on: its level is lost, later ones move up.
    QTest::newRow("cr_suelto") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r" + ok << int32 << one("2:0: error cr_suelto");
    QTest::newRow("cr_suelto before a line of no level")
        << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r//x\r\n"
        << int32 << QStringList{QStringLiteral("2:0: aviso fin_de_linea"), QStringLiteral("3:0: aviso linea_sin_coma")};
    QTest::newRow("cr_suelto after a blank line, nothing lost")
        << c + "  \r" + ok << int32
        << QStringList{QStringLiteral("2:0: aviso fin_de_linea"), QStringLiteral("2:0: aviso linea_sin_coma")};
    QTest::newRow("cr_suelto throughout")
        << QByteArray("//c\r1,2,3,4,5,6,7,8,9,10,11,12,13,14\r2,3,4,5,6,7,8,9,10,11,12,13,14,15\r") << int32
        << QStringList{QStringLiteral("1:0: aviso sin_comentario"), QStringLiteral("1:0: error cr_suelto")};
    const QByteArray first = "1,2,3,4,5,6,7,8,9,10,11,12,13,"; // 30 bytes
    QTest::newRow("a line of 1022 bytes") << c + first + QByteArray(990, '0') + "14\r\n" << int32 << QStringList();
    QTest::newRow("linea_larga, 1023 bytes") << c + first + QByteArray(991, '0') + "14\r\n"
                                             << int32 << one("2:0: error linea_larga");
    // Short lines joined by a lone CR into one server line past 1,022 bytes:
    // the server cuts it and reads its rest as a level of its own.
    QTest::newRow("linea_larga, lines joined by a lone CR")
        << c + first + "14\r" + QByteArray(990, '0') + "\r" + ok << int32
        << QStringList{QStringLiteral("2:0: aviso fin_de_linea"), QStringLiteral("2:0: error linea_larga"),
                       QStringLiteral("3:0: aviso fin_de_linea"), QStringLiteral("3:0: aviso linea_sin_coma")};
    QTest::newRow("ctrl_z") << c + ok + "\x1a" + ok << int32
                            << QStringList{QStringLiteral("3:0: error ctrl_z"),
                                           QStringLiteral("3:1: error no_numerico")};
    QByteArray rows254, rows255;
    for (int i = 0; i < 254; ++i)
        rows254 += ok;
    rows255 = rows254 + ok;
    const QByteArray closing = "0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n";
    QTest::newRow("254 levels and the closing row") << c + rows254 + closing << int32 << QStringList();
    QTest::newRow("mas_de_255, 255 levels and the closing row")
        << c + rows255 + closing << int32 << one("257:0: error mas_de_255");
    QTest::newRow("fuera_de_rango int32") << c + "2147483648,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                          << int32 << one("2:1: error fuera_de_rango");
    QTest::newRow("within uint32") << c + "4294967295,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n" << uint32 << QStringList();
    QTest::newRow("fuera_de_rango uint32") << c + "1,4294967296,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                           << uint32 << one("2:2: error fuera_de_rango");
    QTest::newRow("leading zeros stay in range") << c + "0002147483647,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                                 << int32 << QStringList();
    QTest::newRow("descenso") << c + ok + "1,2,3,4,5,6,7,8,9,10,11,12,13,13\r\n"
                              << int32 << one("3:14: aviso descenso");
    QTest::newRow("closing row of zeros is no fall") << c + ok + "0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n"
                                                     << int32 << QStringList();
    QTest::newRow("sin_comentario") << ok << int32 << one("1:0: aviso sin_comentario");
    QTest::newRow("linea_sin_coma") << c + ok + "\r\n" << int32 << one("3:0: aviso linea_sin_coma");
    QTest::newRow("sin_niveles, an empty file") << QByteArray() << int32 << one("1:0: error sin_niveles");
    QTest::newRow("sin_niveles, the comment line alone") << c << int32 << one("1:0: error sin_niveles");
    QTest::newRow("bom_comentario, before the comment line")
        << "\xEF\xBB\xBF" + c + ok << int32 << one("1:0: aviso bom_comentario");
    QTest::newRow("bom, before a level") << "\xEF\xBB\xBF" + ok << int32
                                         << QStringList{QStringLiteral("1:0: error bom"),
                                                        QStringLiteral("1:0: aviso sin_comentario"),
                                                        QStringLiteral("1:1: error no_numerico")};
    QTest::newRow("fin_de_linea, LF") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\n"
                                      << int32 << one("2:0: aviso fin_de_linea");
    QTest::newRow("fin_de_linea, last line")
        << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14" << int32 << one("2:0: aviso fin_de_linea");
}

void TestTableCheck::findingCodes()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, type);
    QFETCH(QStringList, findings);
    const TableCheck check =
        checkTableBytes(std::string_view(file.constData(), size_t(file.size())), *serverIntegerNamed(type));
    QStringList found;
    for (const TableFinding &f : check.findings) {
        found << QStringLiteral("%1:%2: %3 %4")
                     .arg(f.line)
                     .arg(f.field)
                     .arg(f.error ? QStringLiteral("error") : QStringLiteral("aviso"), QString::fromLatin1(f.code));
        QVERIFY2(!f.message.isEmpty(), f.code);
        // Its kind is in the table the reports' rules are made from.
        const auto codes = ::findingCodes();
        const auto known = std::find_if(codes.begin(), codes.end(),
                                        [&](const FindingCode &c) { return std::string_view(c.code) == f.code; });
        QVERIFY2(known != codes.end(), f.code);
        QCOMPARE(known->error, f.error);
        // A field's columns hold exactly that field of its line.
        if (f.field > 0) {
            const QByteArray line = file.split('\n').value(f.line - 1).chopped(1); // its CR off
            const QList<QByteArray> fields = line.split(',');
            const qint64 start =
                std::accumulate(fields.begin(), fields.begin() + (f.field - 1), qint64(1),
                                [](qint64 at, const QByteArray &field) { return at + field.size() + 1; });
            QCOMPARE(f.startColumn, start);
            QCOMPARE(f.endColumn, start + fields.value(f.field - 1).size());
        } else {
            QCOMPARE(f.startColumn, qint64(0));
        }
    }
    QCOMPARE(found, findings);
}

void TestTableCheck::checkOrdersNumbersByValue_data()
{
    // Two levels differing in their last value: a fall, and the type's bound.
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("codes");
    const QString int32 = QStringLiteral("int32"), int64 = QStringLiteral("int64");
    const QString fall = QStringLiteral("descenso"), over = QStringLiteral("fuera_de_rango");
    QTest::newRow("longer is larger") << QByteArray("9") << QByteArray("10") << int32 << QStringList();
    QTest::newRow("shorter is smaller") << QByteArray("1000000000") << QByteArray("999999999") << int32
                                        << QStringList{fall};
    QTest::newRow("leading zeros are no digits") << QByteArray("0010") << QByteArray("9") << int32 << QStringList{fall};
    QTest::newRow("equal with zeros") << QByteArray("7") << QByteArray("007") << int32 << QStringList();
    QTest::newRow("8 digits") << QByteArray("12345678") << QByteArray("12345677") << int32 << QStringList{fall};
    QTest::newRow("12 digits, last word")
        << QByteArray("123456789012") << QByteArray("123456789011") << int64 << QStringList{fall};
    QTest::newRow("12 digits, first word")
        << QByteArray("123456789012") << QByteArray("223456789011") << int64 << QStringList();
    QTest::newRow("16 digits") << QByteArray("1234567890123456") << QByteArray("1234567890123455") << int64
                               << QStringList{fall};
    QTest::newRow("20 digits") << QByteArray("99999999999999999999") << QByteArray("99999999999999999998") << int64
                               << QStringList{over, over, fall};
    QTest::newRow("int64's largest") << QByteArray("1") << QByteArray("0009223372036854775807") << int64
                                     << QStringList();
    QTest::newRow("past int64") << QByteArray("1") << QByteArray("9223372036854775808") << int64 << QStringList{over};
    QTest::newRow("past int32") << QByteArray("2147483647") << QByteArray("2147483648") << int32 << QStringList{over};
}

void TestTableCheck::checkOrdersNumbersByValue()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QString, type);
    QFETCH(QStringList, codes);
    const QByteArray first = "1,2,3,4,5,6,7,8,9,10,11,12,13,";
    // The value last in the file too, where no bytes follow it.
    for (const bool atEnd : {false, true}) {
        const QByteArray bytes = savedComment() + first + before + "\r\n" + first + after + (atEnd ? "" : "\r\n");
        const TableCheck check =
            checkTableBytes(std::string_view(bytes.constData(), size_t(bytes.size())), *serverIntegerNamed(type));
        QStringList found;
        for (const TableFinding &f : check.findings)
            if (f.field == 14)
                found << QString::fromLatin1(f.code);
        QCOMPARE(found, codes);
    }
}

void TestTableCheck::checkCutsLongValues()
{
    // A 70 MB field was quoted whole: 73 MB of report for one finding.
    const std::string longText(1000000, 'x');
    const std::string bytes = "//c\r\n" + longText + ",2\r\n1," + std::string(45, '9') + "\r\n";
    const TableCheck check = checkTableBytes(bytes, ServerInteger::Int64);
    QStringList cut;
    for (const TableFinding &finding : check.findings) {
        QVERIFY2(finding.message.size() < 200, qPrintable(finding.message.left(300)));
        if (finding.message.contains(QStringLiteral("caracteres")))
            cut << finding.message;
    }
    QCOMPARE(cut, QStringList({QStringLiteral("Nob Base: «%1… (1000000 caracteres)» no es un número entero sin signo")
                                   .arg(QString(40, QLatin1Char('x'))),
                               QStringLiteral("Base 1: %1… (45 caracteres) supera el mayor valor de int64, "
                                              "9223372036854775807")
                                   .arg(QString(40, QLatin1Char('9')))}));
    QCOMPARE(shownValue(std::string(40, '1')), QString(40, QLatin1Char('1'))); // up to 40: whole
}

void TestTableCheck::manualListsEveryCode()
{
    // The manual page's list of findings: every code, with its severity.
    QFile manual(QFINDTESTDATA("../../packaging/man/vandrel-exp.1"));
    QVERIFY(manual.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(manual.readAll());
    for (const FindingCode &code : ::findingCodes()) {
        const QString entry =
            QStringLiteral(".TP\n.B %1\n(%2)")
                .arg(QString::fromLatin1(code.code), code.error ? QStringLiteral("error") : QStringLiteral("aviso"));
        QVERIFY2(text.contains(entry), code.code);
    }
}

void TestTableCheck::lastLevelOfEachGroup_data()
{
    // Where each group ends for the server: its first row of 0 or less, else
    // after the last row, never past 255. Rows as "first, rest": the first
    // column's value, then thirteen rising ones.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("first"); // column 1's last level
    QTest::addColumn<int>("rest");  // columns 2 to 14
    const QByteArray c = savedComment();
    const auto row = [](const char *first) { return QByteArray(first) + ",2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"; };
    const QString int32 = QStringLiteral("int32"), int64 = QStringLiteral("int64");
    QTest::newRow("the closing row") << c + row("1") + row("2") + "0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n" << int32 << 3 << 3;
    QTest::newRow("no closing row: the row after") << c + row("1") + row("2") << int32 << 3 << 3;
    QTest::newRow("a zero in the middle") << c + row("1") + row("0") + row("3") << int32 << 2 << 4;
    QTest::newRow("a negative value") << c + row("-1") + row("2") << int32 << 1 << 3;
    QTest::newRow("past int32: read as negative") << c + row("1") + row("2147483648") << int32 << 2 << 3;
    QTest::newRow("past int32, 4294967296: read as 0") << c + row("1") + row("4294967296") << int32 << 2 << 3;
    QTest::newRow("int64 reads it whole") << c + row("1") + row("2147483648") << int64 << 3 << 3;
    QTest::newRow("a line the server drops moves later levels up")
        << c + row("1") + "x,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n" + row("0") << int32 << 2 << 3;
    QByteArray many = c;
    for (int level = 0; level < 300; ++level)
        many += row("1");
    QTest::newRow("never past 255") << many << int32 << 255 << 255;
}

void TestTableCheck::lastLevelOfEachGroup()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, type);
    QFETCH(int, first);
    QFETCH(int, rest);
    const TableCheck check =
        checkTableBytes(std::string_view(file.constData(), size_t(file.size())), *serverIntegerNamed(type));
    QCOMPARE(check.lastLevels[0], first);
    for (size_t column = 1; column < 14; ++column)
        QCOMPARE(check.lastLevels[column], rest);
    // --niveles compares each group: one finding per group that differs.
    const TableCheck expected =
        checkTableBytes(std::string_view(file.constData(), size_t(file.size())), *serverIntegerNamed(type), rest);
    const auto differing = std::count_if(expected.findings.begin(), expected.findings.end(),
                                         [](const TableFinding &f) { return std::string_view(f.code) == "niveles"; });
    QCOMPARE(differing, first == rest ? 0 : 1);
}

QTEST_GUILESS_MAIN(TestTableCheck)
#include "tst_table_check.moc"
