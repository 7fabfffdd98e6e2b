#pragma once

#include <QString>
#include <QStringList>

// The items a comma closes: "A,B,C," gives A, B, C; text after the last comma is no item;
// empty items count and items keep their blanks.
QStringList SplitCommaList(const QString& text);

struct FileListing
{
    QStringList names; // bare file names, in list order
    QString error;     // empty on success; a sentence for the user otherwise
};

// The ordinary, non-hidden files of folder whose extension (from the last dot of the name)
// equals ext without regard to ASCII case, in ascending order of name without regard to case
// (names equal but for case in case-sensitive order). A folder that cannot be listed gives
// no names and an error.
FileListing ListFilesByExt(const QString& folder, const QString& ext);

// The display names of the profiles in folder ("*.apf", each name before its last dot).
FileListing ListProfiles(const QString& folder);
