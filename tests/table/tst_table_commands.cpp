// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "gui_helpers.h"
#include "main_window_fixture.h"
#include "test_files.h"

#include "core/titulo.h"
#include "shell/frm_principal.h"
#include "table/core/table_file.h"
#include "table/cuadricula.h"
#include "table/experience_table_model.h"
#include "widgets/appearance.h"
#include "widgets/spanish_file_model.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
} // namespace

class TestTableCommands : public MainWindowTest
{
    Q_OBJECT

protected:
    void prepareTestCase() override { makeSpecialFiles(); }
    void beforeEachTest() override { dir = std::make_unique<QTemporaryDir>(); }
    void afterEachTest() override { dir.reset(); }

private slots:

    void openShowsTheTableAndEnablesSaving();
    void openDialogIsSetUpAfreshEachTime();
    void aNewTableShowsItsFirstCell();
    void cancelledDialogsChangeNothing();
    void failedReadKeepsTheTableAndTheMenus_data();
    void failedReadKeepsTheTableAndTheMenus();
    void fileListInSpanish();
    void saveWritesTheFileAndHidesTheGrid_data();
    void saveWritesTheFileAndHidesTheGrid();
    void failedSaveKeepsTheFormerFile_data();
    void failedSaveKeepsTheFormerFile();
    void saveAsksBeforeLosingAnotherChange_data();
    void saveAsksBeforeLosingAnotherChange();
    void openTellsOfABackupLeftBehind();

private:
    std::unique_ptr<QTemporaryDir> dir;
    // A named pipe, a socket and a file of one overlong line, made once.
    std::unique_ptr<QTemporaryDir> specials;
    QString longLine;
    void makeSpecialFiles();
};

void TestTableCommands::makeSpecialFiles()
{
    specials = std::make_unique<QTemporaryDir>();
    QVERIFY(mkfifo(specials->filePath(QStringLiteral("tuberia.txt")).toLocal8Bit().constData(), 0644) == 0);
    const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = specials->filePath(QStringLiteral("socket.txt")).toLocal8Bit();
    QVERIFY(size_t(socketPath.size()) < sizeof address.sun_path);
    memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
    QVERIFY(bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
    close(socketFd);
    // A regular file of one 65 MiB line, sparse: past the line bound.
    longLine = specials->filePath(QStringLiteral("linea.txt"));
    QFile file(longLine);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(65) << 20));
}

void TestTableCommands::openShowsTheTableAndEnablesSaving()
{
    const QString path = dir->filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, "//Archivo Creado Con Otro\r\n1,2,3\r\n4,5,6,7,8,9,10,11,12,13,14,15,16,17,18\r\n"));
    // Generated, then saved: every item disabled. Opening leaves "&Generar Tabla" so.
    w->applyTableEvent(TableEvent::Generated);
    w->applyTableEvent(TableEvent::Saved);
    auto seen = answerFileDialog(path);
    w->MNU_ABRIR->trigger();
    QVERIFY(seen->seen);
    QCOMPARE(w->model()->table().rowCount(), 4);
    QCOMPARE(shownCell(*w, 1, 3), QByteArray("3"));
    QCOMPARE(shownCell(*w, 3, 1), QByteArray("18"));
    QCOMPARE(shownCell(*w, 3, 0), QByteArray("4"));
    QVERIFY(w->grid()->isVisible());
    QVERIFY(w->MNU_GUARDAR->isEnabled());
    QVERIFY(w->MNU_BORRAR->isEnabled());
    QVERIFY(!w->MNU_GENERAR->isEnabled());

    // An empty file: no table rows, the grid shows its header alone.
    const QString empty = dir->filePath(QStringLiteral("vacio.txt"));
    QVERIFY(putFile(empty, QByteArray()));
    answerFileDialog(empty);
    w->MNU_ABRIR->trigger();
    QCOMPARE(w->model()->table().rowCount(), 1);
    QCOMPARE(w->model()->rowCount(), 0);
    QVERIFY(w->grid()->isVisible());
    QVERIFY(w->MNU_GUARDAR->isEnabled());
}

void TestTableCommands::aNewTableShowsItsFirstCell()
{
    QByteArray bytes("//Archivo Creado Con Otro\r\n");
    for (int level = 1; level <= 500; ++level)
        bytes += QByteArray::number(level) + ",2,3,4,5,6,7,8,9,10,11,12,13,14\r\n";
    const QString path = dir->filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, bytes));
    Cuadricula *grid = w->grid();
    auto scrolledToTheEnd = [&] {
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid->currentIndex().row(), 499);
        QVERIFY(grid->verticalScrollBar()->value() > 0);
        QVERIFY(grid->horizontalScrollBar()->value() > 0 || grid->horizontalScrollBar()->maximum() == 0);
    };
    auto firstCellShownAndTyped = [&](const QByteArray &expected) {
        QCOMPARE(grid->currentIndex(), w->model()->index(0, 0));
        QCOMPARE(grid->verticalScrollBar()->value(), 0);
        QCOMPARE(grid->horizontalScrollBar()->value(), 0);
        QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex())));
        QTest::keyClick(grid, Qt::Key_5);
        QCOMPARE(shownCell(*w, 1, 1), expected);
    };

    answerFileDialog(path);
    w->MNU_ABRIR->trigger();
    scrolledToTheEnd();
    answerFileDialog(path); // opened again
    w->MNU_ABRIR->trigger();
    firstCellShownAndTyped("15");

    const QString saved = dir->filePath(QStringLiteral("guardada.txt"));
    answerFileDialog(saved);
    w->MNU_GUARDAR->trigger();
    QVERIFY(fileBytes(saved).contains("\r\n15,2,3,"));

    // A generated or cleared table replaces the model the same way.
    showOpenedTable(*w, tableOfRepeated(500, "7,2,3,4,5,6,7,8,9,10,11,12,13,14"));
    scrolledToTheEnd();
    showOpenedTable(*w, tableOfRepeated(500, "8,2,3,4,5,6,7,8,9,10,11,12,13,14"), false);
    firstCellShownAndTyped("85");
}

void TestTableCommands::openDialogIsSetUpAfreshEachTime()
{
    const QString other = dir->filePath(QStringLiteral("otra.txt"));
    QVERIFY(putFile(other, "1,2\r\n"));
    for (int round = 0; round < 2; ++round) {
        auto seen = answerFileDialog(other);
        w->MNU_ABRIR->trigger();
        QVERIFY(seen->seen);
        QCOMPARE(seen->title, QStringLiteral("Abrir Archivo"));
        QCOMPARE(seen->mode, QFileDialog::AcceptOpen);
        QCOMPARE(seen->nameFilters, QStringList{QStringLiteral("Archivos de Texto(*.txt)")});
        QCOMPARE(seen->directory, QCoreApplication::applicationDirPath());
        QCOMPARE(seen->proposedName, QStringLiteral("Exp.txt"));
        QVERIFY(!seen->native);
        QCOMPARE(seen->proxyClass, QStringLiteral("SpanishFileModel"));
    }
    auto save = answerFileDialog(QString());
    w->MNU_GUARDAR->trigger();
    QCOMPARE(save->title, QStringLiteral("Guardar Archivo"));
    QCOMPARE(save->mode, QFileDialog::AcceptSave);
    QCOMPARE(save->nameFilters, QStringList{QStringLiteral("Archivos de Texto(*.txt)")});
    QCOMPARE(save->directory, QCoreApplication::applicationDirPath());
    QCOMPARE(save->proposedName, QStringLiteral("Exp.txt"));
}

void TestTableCommands::cancelledDialogsChangeNothing()
{
    showOpenedTable(*w, tableOfRows({"7,8"}));
    QDir::setCurrent(dir->path()); // a cancel must not fall back to ./Exp.txt

    auto open = answerFileDialog(QString());
    w->MNU_ABRIR->trigger();
    QVERIFY(open->seen);
    auto save = answerFileDialog(QString());
    w->MNU_GUARDAR->trigger();
    QVERIFY(save->seen);

    QCOMPARE(shownCell(*w, 1, 2), QByteArray("8"));
    QVERIFY(w->grid()->isVisible());
    QVERIFY(w->MNU_GUARDAR->isEnabled() && w->MNU_BORRAR->isEnabled());
    QVERIFY(QDir(dir->path()).entryList(QDir::Files).isEmpty());
}

void TestTableCommands::failedReadKeepsTheTableAndTheMenus_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    // Opens fine, then fails on the first read.
    QTest::newRow("device error") << QStringLiteral("/proc/self/mem") << QStringLiteral("Error de entrada/salida.");
    QTest::newRow("a line past the bound") << longLine
                                           << QStringLiteral("El archivo tiene una línea de más de 64 MiB y no "
                                                             "puede ser una tabla de experiencia. No se ha abierto.");
    // Refused at once: opening a pipe would wait for a writer.
    QTest::newRow("named pipe") << specials->filePath(QStringLiteral("tuberia.txt")) << notAPlainFileMessage();
    QTest::newRow("socket") << specials->filePath(QStringLiteral("socket.txt")) << notAPlainFileMessage();
    QTest::newRow("endless device") << QStringLiteral("/dev/zero") << notAPlainFileMessage();
}

void TestTableCommands::failedReadKeepsTheTableAndTheMenus()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    showOpenedTable(*w, tableOfRows({"7,8"}), false);

    std::shared_ptr<MessageBoxSeen> box;
    answerFileDialog(path, [&box] { box = answerMessageBox(QMessageBox::Ok); });
    w->MNU_ABRIR->trigger();
    QTRY_VERIFY(box && box->seen);
    QCOMPARE(box->title, Titulo());
    QCOMPARE(box->icon, QMessageBox::Critical);
    QCOMPARE(box->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box->text, QStringLiteral("%1: %2").arg(path, message)); // the file named
    QCOMPARE(w->model()->table().rowCount(), 2);
    QCOMPARE(shownCell(*w, 1, 1), QByteArray("7"));
    QVERIFY(w->grid()->isVisible());
    QVERIFY(w->MNU_GUARDAR->isEnabled());
    QVERIFY(w->MNU_BORRAR->isEnabled());
    QVERIFY(!w->MNU_GENERAR->isEnabled());
}

void TestTableCommands::fileListInSpanish()
{
    // A folder and a file of 1536 bytes last written on 8 December 2026 at 22:50.
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("tablas")));
    const QString path = dir->filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, QByteArray(1536, '1')));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(QDate(2026, 12, 8), QTime(22, 50)), QFileDevice::FileModificationTime));
    file.close();

    QFileSystemModel files;
    SpanishFileModel spanish;
    spanish.setSourceModel(&files);
    files.setRootPath(dir->path());
    const auto folder = [&] { return spanish.mapFromSource(files.index(dir->path())); }; // rows come in later
    QTRY_COMPARE(spanish.rowCount(folder()), 2);
    const QModelIndex root = folder();
    QMap<QString, QStringList> rows;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            rows[spanish.index(r, 0, root).data().toString()] << spanish.index(r, c, root).data().toString();
    QCOMPARE(rows.value(QStringLiteral("tablas")).value(2), QStringLiteral("Carpeta"));
    QCOMPARE(rows.value(QStringLiteral("Exp.txt")).value(1), QStringLiteral("1,50 KiB"));
    QCOMPARE(rows.value(QStringLiteral("Exp.txt")).value(3), QStringLiteral("8/12/26 22:50"));
}

void TestTableCommands::saveWritesTheFileAndHidesTheGrid_data()
{
    QTest::addColumn<bool>("hardLink"); // the file saved over has a second name
    QTest::newRow("a new file") << false;
    QTest::newRow("a file with two names") << true;
}

void TestTableCommands::saveWritesTheFileAndHidesTheGrid()
{
    QFETCH(bool, hardLink);
    showOpenedTable(*w, tableOfRows({"1,2,3", ""}), false);

    const QString path = dir->filePath(QStringLiteral("guardada.txt")), second = dir->filePath(QStringLiteral("b.txt"));
    if (hardLink) {
        QVERIFY(putFile(path, "antes\r\n"));
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(second).constData()), 0);
    }
    std::shared_ptr<MessageBoxSeen> replace;
    auto seen = answerFileDialog(path, [&] {
        if (hardLink)
            replace = answerMessageBox(QMessageBox::Yes);
    });
    w->MNU_GUARDAR->trigger();
    QVERIFY(seen->seen);
    const QByteArray saved = savedComment() + "1,2,3,,,,,,,,,,,\r\n,,,,,,,,,,,,,\r\n";
    QCOMPARE(fileBytes(path), saved);
    if (hardLink) {
        // One question, the program's own, not Qt's before it.
        QVERIFY(replace && replace->seen);
        QCOMPARE(replace->title, Titulo());
        QCOMPARE(replace->text, QStringLiteral("El archivo guardada.txt ya existe. ¿Desea reemplazarlo?"));
        QCOMPARE(replace->icon, QMessageBox::Question);
        QCOMPARE(replace->defaultButton, QMessageBox::No);
        QCOMPARE(fileBytes(second), saved); // both names: one file, written in place
    }
    QVERIFY(!w->grid()->isVisible());
    QVERIFY(!w->MNU_GUARDAR->isEnabled());
    QVERIFY(!w->MNU_BORRAR->isEnabled());
    QVERIFY(!w->MNU_GENERAR->isEnabled());
    QCOMPARE(w->model()->table().rowCount(), 3); // the saved table stays, hidden
}

void TestTableCommands::failedSaveKeepsTheFormerFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("more than 32767 rows") << QStringLiteral("too many rows");
    QTest::newRow("a target that cannot be written") << QStringLiteral("/proc/version");
    QTest::newRow("a loop of links") << QStringLiteral("loop");
}

void TestTableCommands::failedSaveKeepsTheFormerFile()
{
    QFETCH(QString, target);
    const bool tooManyRows = target == QStringLiteral("too many rows"), loop = target == QStringLiteral("loop");
    showOpenedTable(*w, tableOfRepeated(tooManyRows ? kMaxSavedRows + 1 : 3, "1,2"));

    // A file of the read-only /proc cannot be replaced; a writable one must not be.
    QString path = target;
    if (tooManyRows) {
        path = dir->filePath(QStringLiteral("Exp.txt"));
        QVERIFY(putFile(path, "antes\r\n"));
    } else if (loop) {
        path = dir->filePath(QStringLiteral("a.txt"));
        QVERIFY(QFile::link(QStringLiteral("b.txt"), path)
                && QFile::link(QStringLiteral("a.txt"), dir->filePath(QStringLiteral("b.txt"))));
    }
    const QByteArray former = fileBytes(path);
    std::shared_ptr<MessageBoxSeen> replace, box;
    answerFileDialog(path, [&] {
        if (loop) // nothing there to replace
            box = answerMessageBox(QMessageBox::Ok);
        else
            replace = answerMessageBox(QMessageBox::Yes, [&] { box = answerMessageBox(QMessageBox::Ok); });
    });
    w->MNU_GUARDAR->trigger();
    QTRY_VERIFY(box && box->seen);
    QCOMPARE(box->title, Titulo());
    QCOMPARE(box->icon, QMessageBox::Critical);
    QCOMPARE(box->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    if (tooManyRows)
        QCOMPARE(box->text, tooManyRowsMessage(kMaxSavedRows + 1));
    else if (loop)
        QCOMPARE(box->text, path + QStringLiteral(": Demasiados niveles de enlaces simbólicos."));
    else
        QVERIFY2(box->text.startsWith(path + QStringLiteral(": ")), qPrintable(box->text));
    QCOMPARE(fileBytes(path), former);
    QVERIFY(w->grid()->isVisible());
    QVERIFY(w->MNU_GUARDAR->isEnabled() && w->MNU_BORRAR->isEnabled());
}

void TestTableCommands::saveAsksBeforeLosingAnotherChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("rewritten by another program") << QStringLiteral("rewritten");
    QTest::newRow("rewritten keeping size and modification time (cp -p)") << QStringLiteral("same size and time");
    QTest::newRow("rewritten, then saved through another name of the file") << QStringLiteral("hard link");
}

void TestTableCommands::saveAsksBeforeLosingAnotherChange()
{
    QFETCH(QString, change);
    // Opened, corrected in the grid, and meanwhile rewritten by another
    // program: Guardar asks, No keeps both, Sí saves the grid.
    const QString path = dir->filePath(QStringLiteral("Exp.txt"));
    const QByteArray opened = "//c\r\n1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n";
    QVERIFY(putFile(path, opened));
    answerFileDialog(path);
    w->MNU_ABRIR->trigger();
    QVERIFY(w->grid()->isVisible());
    w->grid()->setFocus();
    QTest::keyClick(w->grid(), Qt::Key_5);
    QCOMPARE(shownCell(*w, 1, 1), QByteArray("15"));
    QByteArray others = "//otro\r\n9,9,9,9,9,9,9,9,9,9,9,9,9,9\r\n8,8,8,8,8,8,8,8,8,8,8,8,8,8\r\n";
    QString savedAs = path;
    if (change == QStringLiteral("same size and time")) {
        // Same length, same inode, the modification time set back: only
        // the change time tells.
        others = "//c\r\n9,9,9,9,9,9,9,9,9,99,99,99,99,99\r\n";
        QCOMPARE(others.size(), opened.size());
        struct stat before = {}, after = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        QThread::msleep(20);
        QVERIFY(putFile(path, others));
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    } else {
        QVERIFY(putFile(path, others));
    }
    if (change == QStringLiteral("hard link")) {
        savedAs = dir->filePath(QStringLiteral("otro-nombre.txt"));
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(savedAs).constData()), 0);
    }

    const QString question = QStringLiteral("El archivo %1 ha cambiado en el disco desde que se abrió. Si lo "
                                            "reemplaza, esos cambios se perderán. ¿Desea reemplazarlo?")
                                 .arg(QFileInfo(savedAs).fileName());
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        // The first box is the program's question: Qt's own would come first.
        std::shared_ptr<MessageBoxSeen> changed;
        answerFileDialog(savedAs, [&] { changed = answerMessageBox(answer); });
        w->MNU_GUARDAR->trigger();
        QTRY_VERIFY(changed && changed->seen);
        QCOMPARE(changed->title, Titulo());
        QCOMPARE(changed->text, question);
        QCOMPARE(changed->icon, QMessageBox::Question);
        QCOMPARE(changed->buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(changed->defaultButton, QMessageBox::No);
        if (answer == QMessageBox::No) {
            QCOMPARE(fileBytes(path), others);
            QVERIFY(w->grid()->isVisible());
            QVERIFY(w->MNU_GUARDAR->isEnabled() && w->MNU_BORRAR->isEnabled());
            QCOMPARE(shownCell(*w, 1, 1), QByteArray("15"));
        } else {
            QCOMPARE(fileBytes(path), savedComment() + "15,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n");
            QVERIFY(!w->grid()->isVisible());
            QVERIFY(!w->MNU_GUARDAR->isEnabled());
        }
    }
}

void TestTableCommands::openTellsOfABackupLeftBehind()
{
    // A save of this file was killed midway: its backup, named after the
    // file and its identity, is in the cache folder.
    const QString path = dir->filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, "//c\r\n1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    struct stat st = {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    const QString folder = cache.path() + QStringLiteral("/vandrel-exp-editor");
    QVERIFY(QDir().mkpath(folder));
    const QString backup =
        folder + QStringLiteral("/Exp.txt.%1-%2.copia").arg(quint64(st.st_dev), 0, 16).arg(quint64(st.st_ino), 0, 16);
    QVERIFY(putFile(backup, "//antes\r\n"));

    std::shared_ptr<MessageBoxSeen> notice;
    answerFileDialog(path, [&] { notice = answerMessageBox(QMessageBox::Ok); });
    w->MNU_ABRIR->trigger();
    QTRY_VERIFY(notice && notice->seen);
    QCOMPARE(notice->title, Titulo());
    QCOMPARE(notice->icon, QMessageBox::Information);
    QCOMPARE(notice->text,
             QStringLiteral("Hay una copia de seguridad de este archivo de un guardado interrumpido: %1.").arg(backup));
    QVERIFY(w->grid()->isVisible()); // the table is open all the same
    QCOMPARE(shownCell(*w, 1, 14), QByteArray("14"));
    QVERIFY(QFile::remove(backup));
}

QTEST_MAIN(TestTableCommands)
#include "tst_table_commands.moc"
