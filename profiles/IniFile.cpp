#include "IniFile.h"

#include "app/TimeCodes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

struct Lines
{
    QStringList lines;
    bool bom = false;
    QString eol = QStringLiteral("\n");
};

Lines ReadLines(const QString& path)
{
    Lines result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return result;
    }
    QByteArray data = file.readAll();
    if (data.startsWith("\xEF\xBB\xBF")) {
        result.bom = true;
        data.remove(0, 3);
    }
    if (data.contains("\r\n")) {
        result.eol = QStringLiteral("\r\n");
    }
    QString text = QString::fromUtf8(data);
    result.lines = text.split(u'\n');
    for (QString& line : result.lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    // A final line ending leaves an empty last piece that is no line of the file.
    if (!result.lines.isEmpty() && result.lines.last().isEmpty()) {
        result.lines.removeLast();
    }
    return result;
}

// The section name of a line "[name]", or nullopt for any other line.
std::optional<QString> SectionOf(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'[')) {
        return std::nullopt;
    }
    const qsizetype close = t.indexOf(u']');
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

bool IsComment(const QString& line)
{
    return line.trimmed().startsWith(u';');
}

// Key and value of an entry line, trimmed; nullopt for lines that are no entry.
std::optional<std::pair<QString, QString>> EntryOf(const QString& line)
{
    if (IsComment(line)) {
        return std::nullopt;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) {
        return std::nullopt;
    }
    return std::make_pair(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
}

bool Same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The range [begin, end) of the first section of that name, begin being its header line.
std::optional<std::pair<qsizetype, qsizetype>> FindSection(const QStringList& lines,
                                                           const QString& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i]);
        if (name && Same(*name, section)) {
            qsizetype end = i + 1;
            while (end < lines.size() && !SectionOf(lines[end])) {
                ++end;
            }
            return std::make_pair(i, end);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> IniFile::Value(const QString& section, const QString& key) const
{
    const Lines file = ReadLines(m_path);
    const auto range = FindSection(file.lines, section);
    if (!range) {
        return std::nullopt;
    }
    for (qsizetype i = range->first + 1; i < range->second; ++i) {
        const auto entry = EntryOf(file.lines[i]);
        if (entry && Same(entry->first, key)) {
            QString value = entry->second;
            if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                value.back() == value.front()) {
                value = value.mid(1, value.size() - 2);
            }
            value.truncate(MaxValueLength);
            return value;
        }
    }
    return std::nullopt;
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    return Value(section, key).value_or(defaultValue);
}

qint32 IniFile::ReadInteger(const QString& section, const QString& key, qint32 defaultValue) const
{
    const auto text = Value(section, key);
    if (!text) {
        return defaultValue;
    }
    return ::ReadInteger(*text).value_or(defaultValue);
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::WriteString(const QString& section, const QString& key, const QString& value) const
{
    const QFileInfo info(m_path);
    // A file without any write permission bit is marked read-only, even for root.
    constexpr auto writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.exists() && (!info.isFile() || !(info.permissions() & writeBits))) {
        return false;
    }
    Lines file = ReadLines(m_path);
    const QString entry = key + u'=' + value;
    const auto range = FindSection(file.lines, section);
    if (!range) {
        file.lines += u'[' + section + u']';
        file.lines += entry;
    } else {
        bool replaced = false;
        qsizetype lastEntry = range->first;
        for (qsizetype i = range->first + 1; i < range->second; ++i) {
            const auto e = EntryOf(file.lines[i]);
            if (!e) {
                continue;
            }
            if (Same(e->first, key)) {
                file.lines[i] = e->first + u'=' + value;
                replaced = true;
                break;
            }
            lastEntry = i;
        }
        if (!replaced) {
            file.lines.insert(lastEntry + 1, entry);
        }
    }

    QByteArray data = file.bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    for (const QString& line : file.lines) {
        data += line.toUtf8();
        data += file.eol.toLatin1();
    }
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (out.write(data) != data.size()) {
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        return false;
    }
    if (info.exists()) {
        // The replacement keeps the permissions the file had.
        QFile::setPermissions(m_path, info.permissions());
    }
    return true;
}

bool IniFile::WriteInteger(const QString& section, const QString& key, qint32 value) const
{
    return WriteString(section, key, QString::number(value));
}

bool IniFile::WriteBool(const QString& section, const QString& key, bool value) const
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString IniFile::WriteError() const
{
    return QStringLiteral("Unable to write to ") + QFileInfo(m_path).absoluteFilePath();
}
