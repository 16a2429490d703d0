#pragma once

#include "platform/file_replacement.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace platform {

// Splits decoded text into lines at CR LF, LF or a lone CR; CR CR LF, which a file gets
// when its CR LF line ends pass once more through a conversion to CR LF, is one line end
// too (a lone CR before CR LF is nothing a writer puts into a file). A final line end does not
// make an empty last line (readers never look at the last line, and a phantom one would
// hide the closing root tag from them).
QStringList SplitLines(const QString &text);

// The lines of a Windows-1250 file's bytes, as ReadLinesCp1250 gives them.
QStringList DecodeLinesCp1250(const QByteArray &bytes);

// Reads a whole Windows-1250 file as lines; the path is a file-system path (see
// ToFilePath). std::nullopt when the file cannot be opened.
std::optional<QStringList> ReadLinesCp1250(const QString &filePath);

// As above, but a file that cannot be opened raises TarvelinError with the file access
// text naming the file, which the event boundary shows.
QStringList ReadLinesCp1250OrThrow(const QString &filePath);

// Writes lines in Windows-1250, each followed by CR LF, atomically. Returns success and
// shows nothing (the caller says what failed); on failure the old file is untouched.
// Line breaks inside a line ("\n" in memory) are written as CR LF.
bool WriteLinesCp1250(const QString &filePath, const QStringList &lines);
// The bytes WriteLinesCp1250 writes.
QByteArray EncodeLinesCp1250(const QStringList &lines);

} // namespace platform
