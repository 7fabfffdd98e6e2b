#include "ProfileFile.h"

#include "IniFile.h"
#include "ProfileList.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString Main = QStringLiteral("Main");

QString OutOfBounds(qint64 index)
{
    return QStringLiteral("List index out of bounds (%1)").arg(index);
}

int IndexOfCaption(const QStringList& captions, const QString& text)
{
    for (int i = 0; i < captions.size(); ++i) {
        if (captions[i].compare(text, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

// One parameter as "Main" names it.
struct Parameter
{
    QString section;
    std::optional<ProfileGroup> group;
};

Parameter ReadParameter(const IniFile& ini, qint32 n)
{
    Parameter p;
    p.section = ini.ReadString(Main, QString::number(n));
    p.group = GroupOfSort(ini.ReadInteger(p.section, QStringLiteral("Sort"), -1));
    return p;
}

} // namespace

ProfileError LoadProfile(const QString& path, ProfileStore& store)
{
    if (!QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    const IniFile ini(path);
    for (ProfileGroup g : AllProfileGroups) {
        store.ClearGroup(g);
    }
    store.SetOutputExt(u'.' + ini.ReadString(Main, QStringLiteral("Type"), QStringLiteral("mp4")));
    const qint32 count = ini.ReadInteger(Main, QStringLiteral("Para"), 0);
    for (qint32 n = 0; n < count; ++n) {
        const Parameter p = ReadParameter(ini, n);
        if (!p.group) {
            continue;
        }
        ProfileRow row;
        row.name = p.section;
        row.readOnly = ini.ReadBool(p.section, QStringLiteral("ReadOnly"), false);
        const bool list = ini.ReadBool(p.section, QStringLiteral("List"), true);
        const QString caption = ini.ReadString(p.section, QStringLiteral("Caption"));
        if (list) {
            row.pickList = SplitCommaList(caption);
            row.readOnly = true; // a pick list is never typed into
            const qint32 index = ini.ReadInteger(p.section, QStringLiteral("Index"), 0);
            if (index < 0 || index >= row.pickList.size()) {
                store.AppendRow(*p.group, row);
                return OutOfBounds(index);
            }
            row.text = row.pickList[index];
        } else {
            row.text = caption;
        }
        store.AppendRow(*p.group, row);
    }
    store.UpdateGridHeights();
    return std::nullopt;
}

ProfileError SaveProfile(const QString& path, const ProfileStore& store)
{
    const IniFile ini(path);
    const qint32 count = ini.ReadInteger(Main, QStringLiteral("Para"), 0);
    for (qint32 n = 0; n < count; ++n) {
        const Parameter p = ReadParameter(ini, n);
        if (ini.ReadBool(p.section, QStringLiteral("ReadOnly"), false) || !p.group) {
            continue;
        }
        // A row the store lacks belongs to another profile: writing it would spoil this one.
        const ProfileRow* row = store.Row(*p.group, p.section);
        if (!row) {
            continue;
        }
        bool ok = true;
        if (ini.ReadBool(p.section, QStringLiteral("List"), true)) {
            ok = ini.WriteInteger(p.section, QStringLiteral("Index"),
                                  IndexOfCaption(row->pickList, row->text));
        } else {
            ok = ini.WriteString(p.section, QStringLiteral("Caption"), row->text) &&
                 ini.WriteString(p.section, QStringLiteral("Value"), row->text);
        }
        if (!ok) {
            return ini.WriteError();
        }
    }
    return std::nullopt;
}

ProfileError SaveProfileAs(const QString& source, const QString& target, const ProfileStore& store)
{
    const QFileInfo from(source);
    if (!from.isFile()) {
        return std::nullopt;
    }
    const QFileInfo to(target);
    if (!to.exists() || from.canonicalFilePath() != to.canonicalFilePath()) {
        // Copied through a temporary file, so a failed copy never leaves half a profile.
        QFile in(source);
        QSaveFile out(target);
        if (in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly)) {
            out.write(in.readAll());
            out.commit();
        }
    }
    return SaveProfile(target, store);
}

ProfileError BuildProfileArgs(const QString& path, const ProfileStore& store, QString& args)
{
    if (!QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    const IniFile ini(path);
    const qint32 count = ini.ReadInteger(Main, QStringLiteral("Para"), 0);
    for (qint32 n = 0; n < count; ++n) {
        const Parameter p = ReadParameter(ini, n);
        if (!p.group) {
            continue;
        }
        const bool readOnly = ini.ReadBool(p.section, QStringLiteral("ReadOnly"), false);
        const QString cmd = ini.ReadString(p.section, QStringLiteral("cmd"));
        const bool list = ini.ReadBool(p.section, QStringLiteral("List"), true);
        const QString shown = store.Text(*p.group, p.section);
        QString value;
        if (list) {
            const QStringList captions =
                SplitCommaList(ini.ReadString(p.section, QStringLiteral("Caption")));
            const QStringList values =
                SplitCommaList(ini.ReadString(p.section, QStringLiteral("Value")));
            const int i = IndexOfCaption(captions, shown);
            if (i < 0) {
                value = shown;
            } else if (i >= values.size()) {
                return OutOfBounds(i);
            } else {
                value = values[i];
            }
        } else if (readOnly) {
            value = ini.ReadString(p.section, QStringLiteral("Value"));
        } else {
            value = shown;
        }
        if (cmd.isEmpty() || value.isEmpty()) {
            continue;
        }
        if (value == QStringLiteral("\\")) {
            value.clear();
        }
        args += u' ' + cmd + u' ' + value;
    }
    return std::nullopt;
}
