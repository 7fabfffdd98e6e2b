#include "ProfileList.h"

#include "app/TimeCodes.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

QStringList SplitCommaList(const QString& text)
{
    QStringList items;
    qsizetype from = 0;
    for (qsizetype comma = text.indexOf(u','); comma >= 0; comma = text.indexOf(u',', from)) {
        items += text.mid(from, comma - from);
        from = comma + 1;
    }
    return items;
}

FileListing ListFilesByExt(const QString& folder, const QString& ext)
{
    FileListing result;
    const QFileInfo info(folder);
    const QDir dir(folder);
    if (!info.isDir() || !dir.isReadable()) {
        result.error =
            QStringLiteral("Cannot open the folder %1.").arg(QDir::toNativeSeparators(folder));
        return result;
    }
    QStringList names = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    const QString wanted = AsciiLower(ext);
    for (const QString& name : names) {
        const qsizetype dot = name.lastIndexOf(u'.');
        const QString own = dot < 0 ? QString() : name.mid(dot);
        if (AsciiLower(own) == wanted) {
            result.names += name;
        }
    }
    return result;
}

FileListing ListProfiles(const QString& folder)
{
    FileListing listing = ListFilesByExt(folder, QStringLiteral(".apf"));
    for (QString& name : listing.names) {
        name = NameWithoutExt(name);
    }
    return listing;
}
