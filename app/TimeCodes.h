#pragma once

// Time codes and file names: small stateless helpers used all over the program.
// None of them touches a window or reports failure other than through its result.

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// Writes seconds as "hh:mm:ss". The value is truncated toward zero; each field has at least
// two digits and carries its own sign (-65 gives "00:-01:-05"). Hours have no upper limit.
QString FormatTime(double seconds);

// Reads "h:m:s" where hours and minutes are integers (ReadInteger) and seconds a decimal
// number written with decimalSeparator (ReadDecimal). No field is range-checked.
// Returns exactly -1.0 for text that is not a time, and also when hours * 3600 + minutes * 60
// does not fit a signed 32-bit integer. Callers compare with -1.0; "0:0:-1" is therefore
// indistinguishable from a failure.
double ParseTime(QStringView text, QChar decimalSeparator = u'.');

// The one integer syntax of the program (times, section counts, INI values, sizes): leading
// blanks, at most one "+" or "-", then decimal digits, or hexadecimal digits after "$", "x",
// "X", "0x" or "0X"; nothing after the number. Decimal values must fit a signed 32-bit integer;
// hexadecimal ones may have at most eight significant digits and are taken as 32-bit patterns
// ($FFFFFFFF is -1). Returns nullopt for anything else, the empty text included.
std::optional<qint32> ReadInteger(QStringView text);

// Decimal number with leading and trailing blanks allowed: an optional sign, digits with an
// optional decimalSeparator and more digits, an optional exponent (E or e, optional sign,
// digits). A lone separator reads as 0. Returns nullopt for anything else, the empty text
// and values out of the double range included.
std::optional<double> ReadDecimal(QStringView text, QChar decimalSeparator = u'.');

// Appends "/" unless the path already ends with one. The empty text stays empty, so that a
// missing folder never turns into the file system's root.
QString WithTrailingBackslash(const QString& path);

// Everything before the last "." of a bare file name; the whole name when it has no dot.
QString NameWithoutExt(const QString& name);

// The text after the last "/" of a path (the whole path when it has none).
QString FileNameOf(const QString& path);

// The folder part of a path: everything up to and including its last "/"; empty when none.
QString FolderOf(const QString& path);

// The extension of a path: from the last "." that stands after the last "/", dot included;
// empty when there is none.
QString ExtensionOf(const QString& path);

// True when the path's extension, with A-Z lowered, equals one of the list's entries exactly.
bool HasSupportedExt(const QString& path, const QStringList& list);

// True when the path names an existing entry that is not a folder.
bool IsSourceValid(const QString& path);

// ".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf", in this order.
QStringList DefaultSupportedExtensions();

// Lower-cases the ASCII letters A-Z only.
QString AsciiLower(QString text);
