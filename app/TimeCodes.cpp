#include "TimeCodes.h"

#include <QFileInfo>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

QString TwoDigits(qint64 value)
{
    // "00" format: at least two digits, a minus sign in front of them when negative.
    const QString digits = QString::number(value < 0 ? -value : value).rightJustified(2, u'0');
    return value < 0 ? u'-' + digits : digits;
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int HexValue(QChar c)
{
    if (IsDigit(c)) {
        return c.unicode() - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c.unicode() - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c.unicode() - u'A' + 10;
    }
    return -1;
}

} // namespace

QString FormatTime(double seconds)
{
    // Out-of-range values are held at the ends of the 64-bit range instead of being undefined.
    constexpr double limit = 9.0e18;
    qint64 t = 0;
    if (std::isfinite(seconds)) {
        t = static_cast<qint64>(std::trunc(std::clamp(seconds, -limit, limit)));
    }
    const qint64 hours = t / 3600;
    const qint64 minutes = (t - 3600 * hours) / 60;
    const qint64 secs = t - 3600 * hours - 60 * minutes;
    return TwoDigits(hours) + u':' + TwoDigits(minutes) + u':' + TwoDigits(secs);
}

std::optional<qint32> ReadInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' &&
               (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    if (hex) {
        quint64 value = 0;
        int significant = 0;
        for (; i < text.size(); ++i) {
            const int d = HexValue(text[i]);
            if (d < 0) {
                return std::nullopt;
            }
            if (significant > 0 || d != 0) {
                ++significant;
            }
            if (significant > 8) {
                return std::nullopt;
            }
            value = value * 16 + static_cast<quint64>(d);
        }
        const auto pattern = static_cast<qint32>(static_cast<quint32>(value));
        // Negating the 32-bit pattern wraps like the 32-bit reader it mirrors.
        return negative ? static_cast<qint32>(0u - static_cast<quint32>(pattern)) : pattern;
    }
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            return std::nullopt;
        }
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min()) {
        return std::nullopt;
    }
    return static_cast<qint32>(value);
}

std::optional<double> ReadDecimal(QStringView text, QChar decimalSeparator)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == u' ') {
        --end;
    }
    std::string normal;
    qsizetype i = begin;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') {
            normal += '-';
        }
        ++i;
    }
    std::string intDigits;
    std::string fracDigits;
    bool separator = false;
    while (i < end && IsDigit(text[i])) {
        intDigits += char(text[i].unicode());
        ++i;
    }
    if (i < end && text[i] == decimalSeparator) {
        separator = true;
        ++i;
        while (i < end && IsDigit(text[i])) {
            fracDigits += char(text[i].unicode());
            ++i;
        }
    }
    if (intDigits.empty() && fracDigits.empty() && !separator) {
        return std::nullopt;
    }
    normal += intDigits.empty() ? "0" : intDigits;
    if (!fracDigits.empty()) {
        normal += '.' + fracDigits;
    }
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        std::string exponent = "e";
        if (i < end && (text[i] == u'+' || text[i] == u'-')) {
            exponent += char(text[i].unicode());
            ++i;
        }
        const qsizetype digitsStart = i;
        while (i < end && IsDigit(text[i])) {
            exponent += char(text[i].unicode());
            ++i;
        }
        if (i == digitsStart) {
            return std::nullopt;
        }
        normal += exponent;
    }
    if (i != end) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec != std::errc() || ptr != normal.data() + normal.size()) {
        return std::nullopt;
    }
    return value;
}

double ParseTime(QStringView text, QChar decimalSeparator)
{
    const qsizetype first = text.indexOf(u':');
    if (first < 0) {
        return -1.0;
    }
    const QStringView rest = text.mid(first + 1);
    const qsizetype second = rest.indexOf(u':');
    if (second < 0) {
        return -1.0;
    }
    const auto hours = ReadInteger(text.left(first));
    if (!hours) {
        return -1.0;
    }
    const auto minutes = ReadInteger(rest.left(second));
    if (!minutes) {
        return -1.0;
    }
    const QStringView secondsText = rest.mid(second + 1);
    const auto seconds = ReadDecimal(secondsText, decimalSeparator);
    if (!seconds) {
        return -1.0;
    }
    // The number reader would take ".5"; a seconds field written so is refused on purpose.
    if (secondsText.startsWith(u'.')) {
        return -1.0;
    }
    const qint64 whole = qint64(*hours) * 3600 + qint64(*minutes) * 60;
    if (whole > std::numeric_limits<qint32>::max() || whole < std::numeric_limits<qint32>::min()) {
        return -1.0;
    }
    return double(whole) + *seconds;
}

QString WithTrailingBackslash(const QString& path)
{
    if (path.isEmpty() || path.endsWith(u'/')) {
        return path;
    }
    return path + u'/';
}

QString NameWithoutExt(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString FileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString FolderOf(const QString& path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString ExtensionOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > slash ? path.mid(dot) : QString();
}

QString AsciiLower(QString text)
{
    for (QChar& c : text) {
        if (c >= u'A' && c <= u'Z') {
            c = QChar(c.unicode() + (u'a' - u'A'));
        }
    }
    return text;
}

bool HasSupportedExt(const QString& path, const QStringList& list)
{
    return list.contains(AsciiLower(ExtensionOf(path)), Qt::CaseSensitive);
}

bool IsSourceValid(const QString& path)
{
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QStringList DefaultSupportedExtensions()
{
    return {".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf"};
}
