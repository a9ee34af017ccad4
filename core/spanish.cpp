// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/spanish.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace {

struct QtText
{
    const char *context;
    const char *source;
    const char *spanish;
};

// The Qt texts the windows and the tool can show, in our own Spanish: the
// buttons of a message box, the menus of a text box, and the reasons Qt
// gives for a file it could not read or write.
constexpr QtText kQtTexts[] = {
    {"QPlatformTheme", "OK", "Aceptar"},
    {"QPlatformTheme", "&Yes", "&Sí"},
    {"QPlatformTheme", "&No", "&No"},
    {"QPlatformTheme", "Cancel", "Cancelar"},
    {"QPlatformTheme", "Close", "Cerrar"},
    {"QPlatformTheme", "Open", "Abrir"},
    {"QPlatformTheme", "Save", "Guardar"},
    {"QPlatformTheme", "Help", "Ayuda"},
    {"QLineEdit", "&Undo", "&Deshacer"},
    {"QLineEdit", "&Redo", "&Rehacer"},
    {"QLineEdit", "Cu&t", "Cor&tar"},
    {"QLineEdit", "&Copy", "&Copiar"},
    {"QLineEdit", "&Paste", "&Pegar"},
    {"QLineEdit", "Delete", "Borrar"},
    {"QLineEdit", "Select All", "Seleccionar todo"},
    {"QWidgetTextControl", "&Undo", "&Deshacer"},
    {"QWidgetTextControl", "&Redo", "&Rehacer"},
    {"QWidgetTextControl", "Cu&t", "Cor&tar"},
    {"QWidgetTextControl", "&Copy", "&Copiar"},
    {"QWidgetTextControl", "Copy &Link Location", "Copiar la &dirección del enlace"},
    {"QWidgetTextControl", "&Paste", "&Pegar"},
    {"QWidgetTextControl", "Delete", "Borrar"},
    {"QWidgetTextControl", "Select All", "Seleccionar todo"},
    {"QIODevice", "Permission denied", "Permiso denegado"},
    {"QIODevice", "Too many open files", "Demasiados archivos abiertos"},
    {"QIODevice", "No such file or directory", "No existe el archivo o la carpeta"},
    {"QIODevice", "No space left on device", "No queda espacio en el dispositivo"},
    {"QIODevice", "Unknown error", "Error desconocido"},
    {"QIODevice", "file to open is a directory", "el archivo que se quiere abrir es una carpeta"},
    {"QSaveFile", "Existing file %1 is not writable", "No se puede escribir en el archivo %1"},
    {"QSaveFile", "Filename refers to a directory", "El nombre de archivo es el de una carpeta"},
    {"QSaveFile", "Writing canceled by application", "El programa ha cancelado la escritura"},
    {"QFileDevice", "No file engine available", "No hay forma de abrir este archivo"},
};

// Looks the texts above up: nothing to load, so the programs carry them
// wherever they run.
class OwnQtTexts : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (!context || !sourceText)
            return {};
        for (const QtText &text : kQtTexts)
            if (std::strcmp(text.context, context) == 0 && std::strcmp(text.source, sourceText) == 0)
                return QString::fromUtf8(text.spanish);
        return {};
    }

    bool isEmpty() const override { return false; }
};

} // namespace

QTranslator *makeOwnQtTexts(QObject *parent)
{
    return new OwnQtTexts(parent);
}

void useSpanish(QCoreApplication &app)
{
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    QLocale::setDefault(spanish);
    QCoreApplication::installTranslator(makeOwnQtTexts(&app));
    // Where Qt's own Spanish is installed beside Qt (Debian's package of
    // translations), it covers the rest, the file dialog's many texts first.
    // Installed last, it is asked first.
    auto *translator = new QTranslator(&app);
    if (translator->load(spanish, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
