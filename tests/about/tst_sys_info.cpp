// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "about/core/sys_info.h"
#include "tests/about/memory_registry.h"

#include <QTest>

namespace {

const std::string kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocation = "SOFTWARE\\Microsoft\\Shared Tools Location";

class FakePlatform : public SysInfoPlatform
{
public:
    bool fileExists(const std::string &path) override
    {
        checked.push_back(path);
        return files.count(path) > 0;
    }
    bool startProgram(const std::string &path) override
    {
        started.push_back(path);
        return files.count(path) > 0;
    }
    void tellNotAvailable() override { ++messages; }

    std::set<std::string> files;
    std::vector<std::string> checked;
    std::vector<std::string> started;
    int messages = 0;
};

// What the registry holds under MSINFO\PATH in a row.
enum class PathValue { None, String, OtherType, NoData };

std::vector<std::string> strings(const QStringList &list)
{
    std::vector<std::string> out;
    for (const QString &item : list)
        out.push_back(item.toStdString());
    return out;
}

} // namespace

Q_DECLARE_METATYPE(PathValue)

class TestSysInfo : public QObject
{
    Q_OBJECT

private slots:
    void getKeyValueReadsStringsAndNumbers();
    void bufferOf1024Bytes();
    void startSysInfo_data();
    void startSysInfo();
};

void TestSysInfo::getKeyValueReadsStringsAndNumbers()
{
    MemoryRegistry registry;
    registry.setString("K", "S", "C:\\x.exe");
    registry.setValue("K", "D", kRegDword, {0x2a, 0x01, 0, 0});
    registry.setValue("K", "B", 3, {1, 2, 3});
    std::string value = "antes";
    QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, "K", "S", value), KeyResult::Read);
    QCOMPARE(value, std::string("C:\\x.exe"));
    QCOMPARE(registry.lastAccessMask, 0x20019u); // KEY_READ: a standard user may open it
    QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, "K", "D", value), KeyResult::Read);
    QCOMPARE(value, std::string("298"));
    value = "sin cambio";
    QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, "K", "B", value), KeyResult::Read);
    QCOMPARE(value, std::string("sin cambio")); // another type leaves the text as it was
    QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, "K", "nada", value), KeyResult::NotRead);
    QCOMPARE(value, std::string());
    value = "x";
    QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, "Otra", "S", value), KeyResult::NotRead);
    QCOMPARE(value, std::string());
    // A string stored without its terminator is taken whole.
    registry.setString("K", "T", "abc", false);
    QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, "K", "T", value), KeyResult::Read);
    QCOMPARE(value, std::string("abc"));
    QCOMPARE(registry.openKeys(), size_t(0)); // closed on every path
}

void TestSysInfo::bufferOf1024Bytes()
{
    MemoryRegistry registry;
    registry.setString("K", "fits", std::string(1023, 'a'));     // 1024 bytes with the terminator
    registry.setString("K", "too long", std::string(1024, 'b')); // 1025
    std::string value;
    QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, "K", "fits", value), KeyResult::Read);
    QCOMPARE(value, std::string(1023, 'a'));
    QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, "K", "too long", value), KeyResult::NotRead);
    QCOMPARE(value, std::string());
}

void TestSysInfo::startSysInfo_data()
{
    // The registry as each row leaves it, the files that exist, and what
    // StartSysInfo does: which values it reads, which files it checks and
    // starts, and whether it says the tool is not available.
    QTest::addColumn<PathValue>("path");
    QTest::addColumn<QString>("pathText");
    QTest::addColumn<QString>("folder"); // Shared Tools Location\MSINFO, or none
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("queried");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<int>("messages");
    const QString tool = QStringLiteral("C:\\Program Files\\msinfo32.exe"), folder = QStringLiteral("C:\\Herramientas"),
                  inFolder = QStringLiteral("C:\\Herramientas\\MSINFO32.EXE");
    const QStringList path{QStringLiteral("PATH")}, none;
    QTest::newRow("PATH started without a file check")
        << PathValue::String << tool << QString() << QStringList{tool} << path << none << QStringList{tool} << 0;
    QTest::newRow("no values at all") << PathValue::None << QString() << QString() << none << none << none << none << 1;
    QTest::newRow("the folder without the tool")
        << PathValue::None << QString() << folder << none << QStringList{QStringLiteral("MSINFO")}
        << QStringList{inFolder} << none << 1;
    QTest::newRow("the folder with the tool")
        << PathValue::None << QString() << folder << QStringList{inFolder} << QStringList{QStringLiteral("MSINFO")}
        << QStringList{inFolder} << QStringList{inFolder} << 0;
    // PATH to a missing file is tried and fails; the folder is not tried then.
    QTest::newRow("PATH to a missing file")
        << PathValue::String << QStringLiteral("C:\\no\\esta.exe") << folder << QStringList{inFolder} << path << none
        << QStringList{QStringLiteral("C:\\no\\esta.exe")} << 1;
    QTest::newRow("PATH of another type")
        << PathValue::OtherType << QString() << QString() << none << path << none << QStringList{QString()} << 1;
    // A value without data ends the lookup: "MSINFO" is never read.
    QTest::newRow("PATH without data") << PathValue::NoData << QString() << folder << QStringList{inFolder} << path
                                       << none << none << 1;
    QTest::newRow("PATH too long: the folder instead")
        << PathValue::String << QString(1100, QLatin1Char('p')) << folder << QStringList{inFolder}
        << QStringList{QStringLiteral("PATH"), QStringLiteral("MSINFO")} << QStringList{inFolder}
        << QStringList{inFolder} << 0;
}

void TestSysInfo::startSysInfo()
{
    QFETCH(PathValue, path);
    QFETCH(QString, pathText);
    QFETCH(QString, folder);
    QFETCH(QStringList, files);
    QFETCH(QStringList, queried);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, started);
    QFETCH(int, messages);
    MemoryRegistry registry;
    switch (path) {
    case PathValue::None:
        break;
    case PathValue::String:
        registry.setString(kMsinfo, "PATH", pathText.toStdString());
        break;
    case PathValue::OtherType:
        registry.setValue(kMsinfo, "PATH", 3, {0x43, 0x3a});
        break;
    case PathValue::NoData:
        registry.setValue(kMsinfo, "PATH", kRegSz, {});
        break;
    }
    if (!folder.isEmpty())
        registry.setString(kLocation, "MSINFO", folder.toStdString());
    FakePlatform platform;
    for (const QString &file : files)
        platform.files.insert(file.toStdString());
    StartSysInfo(registry, platform);
    QCOMPARE(registry.queried, strings(queried));
    QCOMPARE(platform.checked, strings(checked));
    QCOMPARE(platform.started, strings(started));
    QCOMPARE(platform.messages, messages);
    QCOMPARE(registry.openKeys(), size_t(0)); // every key opened is closed
}

QTEST_GUILESS_MAIN(TestSysInfo)
#include "tst_sys_info.moc"
