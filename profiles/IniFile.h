#pragma once

// The INI dialect of profiles and preferences.
//
// Every read and every write goes straight to the file; nothing is cached, so two objects on
// one file, or another program editing it, always agree with what is on disk.
//
// Reading:
//  - A section starts at a line "[name]"; entries are "key=value", one to a line. Lines whose
//    first non-blank character is ";" are comments; other lines without "=" are ignored, as
//    is anything before the first section.
//  - Section and key names match without regard to case, and blanks around names and values
//    are trimmed. Of duplicate sections, or of duplicate keys in a section, the first counts.
//  - One enclosing pair of single or double quotes is removed from a value; then the value is
//    cut to 2047 characters.
//  - A UTF-8 byte-order mark is skipped; lines may end in CRLF or LF; text is UTF-8.
//  - An absent file, section or key gives the caller's default. Integers use ReadInteger's
//    syntax (app/TimeCodes.h) and give the default when the text does not read in full;
//    booleans are integers where 0 is false and any other number true.
//
// Writing:
//  - A key's value is replaced where it stands; an absent key is added after the last entry
//    of its section; an absent section is added at the end of the file; an absent file is
//    created. Integers are written in decimal, booleans as "1" and "0".
//  - The file keeps its byte-order mark and its line ending (LF for a new file).
//  - The file is replaced atomically (a temporary file beside it, then a rename), so a crash
//    or a full disk never leaves a torn file. A file that has no write permission bit at all
//    is taken as marked read-only and is not replaced.
#include <QString>
#include <optional>

class IniFile
{
public:
    static constexpr int MaxValueLength = 2047;

    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString& Path() const { return m_path; }

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    qint32 ReadInteger(const QString& section, const QString& key, qint32 defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    // The raw value, or nullopt when the key is absent.
    std::optional<QString> Value(const QString& section, const QString& key) const;

    // Each returns false when the file could not be written; WriteError() then tells the user.
    [[nodiscard]] bool WriteString(const QString& section, const QString& key,
                                   const QString& value) const;
    [[nodiscard]] bool WriteInteger(const QString& section, const QString& key, qint32 value) const;
    [[nodiscard]] bool WriteBool(const QString& section, const QString& key, bool value) const;

    // "Unable to write to " + the file's full path.
    QString WriteError() const;

private:
    QString m_path;
};
