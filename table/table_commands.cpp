#include "table_commands.h"

#include "cuadricula.h"
#include "experience_table_model.h"
#include "shell/mensajes.h"
#include "table_file.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>

namespace {

// The file dialog as both commands set it up afresh: the program's folder
// and "Exp.txt" every time, whatever was chosen before.
QString chooseFile(QWidget *owner, QFileDialog::AcceptMode mode)
{
    const bool opening = mode == QFileDialog::AcceptOpen;
    QFileDialog dialog(owner, opening ? QStringLiteral("Abrir Archivo") : QStringLiteral("Guardar Archivo"),
                       QCoreApplication::applicationDirPath());
    dialog.setObjectName(QStringLiteral("Dialogos"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(opening ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Archivos de Texto(*.txt)"));
    dialog.selectFile(QStringLiteral("Exp.txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void abrirArchivo(const ControlesPrincipal &c)
{
    const QString path = chooseFile(c.ventana, QFileDialog::AcceptOpen);
    if (path.isEmpty())
        return;
    ExperienceTable table;
    QString error;
    if (!readTableFile(path, table, &error)) {
        mostrarError(c.ventana, error); // the table shown before stays
        return;
    }
    c.modelo->replaceTable(table);
    c.cuadricula->show();
    c.MNU_GUARDAR->setEnabled(true);
    c.MNU_BORRAR->setEnabled(true);
}

void guardarArchivo(const ControlesPrincipal &c)
{
    const QString path = chooseFile(c.ventana, QFileDialog::AcceptSave);
    if (path.isEmpty())
        return;
    QString error;
    if (!writeTableFile(path, c.modelo->table(), &error)) {
        mostrarError(c.ventana, error);
        return;
    }
    c.MNU_GUARDAR->setEnabled(false);
    c.MNU_BORRAR->setEnabled(false);
    c.cuadricula->hide();
}

void borrarTabla(const ControlesPrincipal &c)
{
    if (!preguntarSiNo(c.ventana, QStringLiteral("¿Está Seguro que Desea Borrar La Tabla?")))
        return;
    c.modelo->clearToEmptyTable();
    c.cuadricula->hide();
    c.MNU_GUARDAR->setEnabled(false);
    c.MNU_BORRAR->setEnabled(false);
    c.MNU_GENERAR->setEnabled(true);
}
