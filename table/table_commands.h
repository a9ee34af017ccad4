#pragma once

class Cuadricula;
class ExperienceTableModel;
class QAction;
class QWidget;

// What the table commands change on the main window: the grid and the three
// menu items whose states, with the grid's visibility, are the whole command
// state of the program.
struct ControlesPrincipal
{
    QWidget *ventana = nullptr; // owner of the dialogs and message boxes
    class Cuadricula *cuadricula = nullptr;
    ExperienceTableModel *modelo = nullptr;
    QAction *MNU_GUARDAR = nullptr;
    QAction *MNU_BORRAR = nullptr;
    QAction *MNU_GENERAR = nullptr;
};

// "Abrir": choose a table file and read it into the grid.
void abrirArchivo(const ControlesPrincipal &controles);

// "G&uardar": choose a file name and write the grid to it.
void guardarArchivo(const ControlesPrincipal &controles);

// "&Borrar Tabla": after a Yes, bring the grid to the empty table.
void borrarTabla(const ControlesPrincipal &controles);
