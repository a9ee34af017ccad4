#include "core/spanish.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void useSpanish(QCoreApplication &app)
{
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    QLocale::setDefault(spanish);
    auto *translator = new QTranslator(&app);
    const QString builtIn = QStringLiteral(":/i18n");
    const QString folder = QFile::exists(builtIn + QStringLiteral("/qtbase_es.qm"))
                               ? builtIn
                               : QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (translator->load(spanish, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
