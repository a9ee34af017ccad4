// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/table_commands.h"

#include "core/file_identity.h"
#include "core/safe_write.h"
#include "core/system_error.h"
#include "table/core/file_snapshot.h"
#include "table/core/table_file.h"
#include "table/experience_table_model.h"
#include "widgets/file_dialogs.h"
#include "widgets/messages.h"
#include "widgets/spanish_file_model.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// The file dialog as both commands set it up afresh: the program's folder
// and "Exp.txt" every time, whatever was chosen before.
QString chooseFile(QWidget *owner, QFileDialog::AcceptMode mode)
{
    const bool opening = mode == QFileDialog::AcceptOpen;
    QFileDialog dialog(owner, opening ? QStringLiteral("Abrir Archivo") : QStringLiteral("Guardar Archivo"),
                       QCoreApplication::applicationDirPath());
    dialog.setObjectName(QStringLiteral("Dialogos"));
    // The program asks before replacing a file, in its own words: one
    // question, not Qt's and then its own.
    dialog.setOptions(fileDialogOptions() | QFileDialog::DontConfirmOverwrite);
    if (dialog.testOption(QFileDialog::DontUseNativeDialog)
        || QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs)) // Qt's own list of files, in Spanish
        dialog.setProxyModel(new SpanishFileModel(&dialog));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(opening ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Archivos de Texto(*.txt)"));
    dialog.selectFile(QStringLiteral("Exp.txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

CommandOutcome openTableFile(QWidget *owner, ExperienceTableModel &model, FileSnapshot &opened)
{
    const QString path = chooseFile(owner, QFileDialog::AcceptOpen);
    if (path.isEmpty())
        return {CommandOutcome::Cancelled, {}};
    ExperienceTable table;
    QString error;
    FileIdentity identity;
    if (!readTableFile(path, table, &error, &identity)) // the table shown before stays
        return {CommandOutcome::Failed, fileFailure(QDir::toNativeSeparators(path), error)};
    opened = FileSnapshot::of(path, identity, table.arena());
    model.replaceTable(std::move(table));
    // An interrupted save of this file left its former content behind.
    if (const QString backup = leftoverBackupOf(path); !backup.isEmpty())
        showInformation(owner, leftoverBackupMessage(backup));
    return {CommandOutcome::Done, {}};
}

CommandOutcome saveTableFile(QWidget *owner, const ExperienceTableModel &model, FileSnapshot &opened)
{
    const QString path = chooseFile(owner, QFileDialog::AcceptSave);
    if (path.isEmpty())
        return {CommandOutcome::Cancelled, {}};
    const bool overOpened = opened.isOf(path);
    const QString name = QFileInfo(path).fileName();
    if (overOpened && opened.changedOnDisk()) {
        if (!askYesNo(owner,
                      QStringLiteral("El archivo %1 ha cambiado en el disco desde que se abrió. Si lo reemplaza, "
                                     "esos cambios se perderán. ¿Desea reemplazarlo?")
                          .arg(name),
                      DefaultAnswer::No))
            return {CommandOutcome::Cancelled, {}};
    } else if (identityOf(path).exists
               && !askYesNo(owner, QStringLiteral("El archivo %1 ya existe. ¿Desea reemplazarlo?").arg(name),
                            DefaultAnswer::No)) {
        return {CommandOutcome::Cancelled, {}};
    }
    QString error;
    if (!writeTableFile(path, model.table(), &error)) {
        // A table too large is no fault of the file; any other failure names it.
        if (model.table().rowCount() - 1 <= kMaxSavedRows)
            error = fileFailure(QDir::toNativeSeparators(path), error);
        return {CommandOutcome::Failed, error};
    }
    if (overOpened) // what is on disk now is this program's own
        opened = FileSnapshot::ofFileNow(path);
    return {CommandOutcome::Done, {}};
}

CommandOutcome clearTable(QWidget *owner, ExperienceTableModel &model)
{
    if (!askYesNo(owner, QStringLiteral("¿Está Seguro que Desea Borrar La Tabla?")))
        return {CommandOutcome::Cancelled, {}};
    model.clearToEmptyTable();
    return {CommandOutcome::Done, {}};
}
