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

} // namespace

class TestSysInfo : public QObject
{
    Q_OBJECT

private slots:
    void getKeyValueReadsStringsAndNumbers();
    void bufferOf1024Bytes();
    void startsTheToolFromPath();
    void noValuesAtAll();
    void folderWithoutTheTool();
    void folderWithTheTool();
    void pathToAMissingFile();
    void pathOfAnotherType();
    void pathWithNoData();
    void tooLongPathFallsBackToTheFolder();
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
    QCOMPARE(registry.lastAccessMask, 0x2003Fu);
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

void TestSysInfo::startsTheToolFromPath()
{
    MemoryRegistry registry;
    registry.setString(kMsinfo, "PATH", "C:\\Program Files\\msinfo32.exe");
    FakePlatform platform;
    platform.files = {"C:\\Program Files\\msinfo32.exe"};
    StartSysInfo(registry, platform);
    QCOMPARE(platform.started, std::vector<std::string>{"C:\\Program Files\\msinfo32.exe"});
    QVERIFY(platform.checked.empty()); // PATH is started without a file check
    QCOMPARE(platform.messages, 0);
}

void TestSysInfo::noValuesAtAll()
{
    MemoryRegistry registry;
    FakePlatform platform;
    StartSysInfo(registry, platform);
    QCOMPARE(platform.messages, 1);
    QVERIFY(platform.started.empty());
}

void TestSysInfo::folderWithoutTheTool()
{
    MemoryRegistry registry;
    registry.setString(kLocation, "MSINFO", "C:\\Herramientas");
    FakePlatform platform;
    StartSysInfo(registry, platform);
    QCOMPARE(platform.checked, std::vector<std::string>{"C:\\Herramientas\\MSINFO32.EXE"});
    QVERIFY(platform.started.empty());
    QCOMPARE(platform.messages, 1);
}

void TestSysInfo::folderWithTheTool()
{
    MemoryRegistry registry;
    registry.setString(kLocation, "MSINFO", "C:\\Herramientas");
    FakePlatform platform;
    platform.files = {"C:\\Herramientas\\MSINFO32.EXE"};
    StartSysInfo(registry, platform);
    QCOMPARE(platform.started, std::vector<std::string>{"C:\\Herramientas\\MSINFO32.EXE"});
    QCOMPARE(platform.messages, 0);
}

void TestSysInfo::pathToAMissingFile()
{
    MemoryRegistry registry;
    registry.setString(kMsinfo, "PATH", "C:\\no\\esta.exe");
    registry.setString(kLocation, "MSINFO", "C:\\Herramientas");
    FakePlatform platform;
    platform.files = {"C:\\Herramientas\\MSINFO32.EXE"};
    StartSysInfo(registry, platform);
    QCOMPARE(platform.started, std::vector<std::string>{"C:\\no\\esta.exe"}); // tried, failed, not the folder
    QCOMPARE(platform.messages, 1);
}

void TestSysInfo::pathOfAnotherType()
{
    MemoryRegistry registry;
    registry.setValue(kMsinfo, "PATH", 3, {0x43, 0x3a});
    FakePlatform platform;
    StartSysInfo(registry, platform);
    QCOMPARE(platform.started, std::vector<std::string>{""});
    QCOMPARE(platform.messages, 1);
}

void TestSysInfo::pathWithNoData()
{
    MemoryRegistry registry;
    registry.setValue(kMsinfo, "PATH", kRegSz, {});
    registry.setString(kLocation, "MSINFO", "C:\\Herramientas");
    FakePlatform platform;
    platform.files = {"C:\\Herramientas\\MSINFO32.EXE"};
    StartSysInfo(registry, platform);
    QCOMPARE(platform.messages, 1);
    QVERIFY(platform.started.empty());
    QCOMPARE(registry.queried, std::vector<std::string>{"PATH"}); // "MSINFO" never tried
    QCOMPARE(registry.openKeys(), size_t(0));
}

void TestSysInfo::tooLongPathFallsBackToTheFolder()
{
    MemoryRegistry registry;
    registry.setString(kMsinfo, "PATH", std::string(1100, 'p'));
    registry.setString(kLocation, "MSINFO", "C:\\Herramientas");
    FakePlatform platform;
    platform.files = {"C:\\Herramientas\\MSINFO32.EXE"};
    StartSysInfo(registry, platform);
    QCOMPARE(registry.queried, (std::vector<std::string>{"PATH", "MSINFO"}));
    QCOMPARE(platform.started, std::vector<std::string>{"C:\\Herramientas\\MSINFO32.EXE"});
    QCOMPARE(platform.messages, 0);
}

QTEST_GUILESS_MAIN(TestSysInfo)
#include "tst_sys_info.moc"
