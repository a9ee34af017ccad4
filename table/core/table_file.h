#pragma once

#include <QString>

class ExperienceTable;
class QIODevice;

// The largest table a file can hold: the row counter of the format is 16-bit.
inline constexpr int32_t kMaxSavedRows = 32767;

// Reads a table file from `device` (open for reading, at its start) to its
// end. Lines end at CR LF, LF or CR; lines without a comma are passed over;
// past fourteen fields a line wraps onto the next row; row n is labelled
// n + 1. On success `table` holds the rows read and true is returned; on
// failure `table` is left as it was and *error describes why.
bool LeerTabla(QIODevice &device, ExperienceTable &table, QString *error);

// Writes the comment line and every table row, fourteen fields and CR LF
// each. Refuses, writing nothing, a table of more than kMaxSavedRows rows.
bool GuardarTabla(QIODevice &device, const ExperienceTable &table, QString *error);

// The comment line's text, without its line end.
QByteArray commentLine();

// Opens, reads and closes the file at `path`; see LeerTabla.
bool readTableFile(const QString &path, ExperienceTable &table, QString *error);

// Writes the file at `path` through a temporary that replaces it only once
// complete: on failure the former file is left exactly as it was.
bool writeTableFile(const QString &path, const ExperienceTable &table, QString *error);

// The message given for a table too large to save.
QString tooManyRowsMessage(int32_t tableRows);
