#pragma once

class QCoreApplication;

// Spanish for Qt's own texts and formats, in the editor and the companion
// tool alike: Spanish as the default locale, and Qt's Spanish translations,
// built into the program where it carries them (":/i18n/qtbase_es.qm"),
// else from Qt's translations folder.
void useSpanish(QCoreApplication &app);
