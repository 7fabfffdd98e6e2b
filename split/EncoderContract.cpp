#include "EncoderContract.h"

#include <cmath>
#include <cstdio>

namespace {

// A finite double as decimal digits: value = 0.d1 d2 d3 ... x 10^pointPos (digits without
// leading zeros; "" for zero).
struct Decimal
{
    bool negative = false;
    QString digits;
    int pointPos = 0;
};

Decimal ExactDecimal(double value)
{
    Decimal d;
    if (value == 0.0 || !std::isfinite(value)) {
        return d;
    }
    d.negative = value < 0;
    // glibc prints the exact binary value when asked for enough digits (767 suffice for any
    // double), so the roundings below are true decimal roundings.
    char buffer[1100];
    std::snprintf(buffer, sizeof buffer, "%.800e", std::fabs(value));
    const QString text = QString::fromLatin1(buffer);
    const qsizetype e = text.indexOf(u'e');
    QString digits = text.left(e);
    digits.remove(u'.');
    const int exponent = text.mid(e + 1).toInt();
    while (digits.endsWith(u'0')) {
        digits.chop(1);
    }
    d.digits = digits;
    d.pointPos = exponent + 1;
    return d;
}

// Keeps `keep` digits (counted from the first significant one), halves away from zero.
Decimal RoundDigits(Decimal d, qsizetype keep)
{
    if (d.digits.size() <= keep) {
        return d;
    }
    if (keep < 0) {
        d.digits.clear();
        return d;
    }
    const bool up = d.digits[keep] >= u'5';
    d.digits.truncate(keep);
    if (up) {
        qsizetype i = d.digits.size() - 1;
        while (i >= 0 && d.digits[i] == u'9') {
            d.digits[i] = u'0';
            --i;
        }
        if (i >= 0) {
            d.digits[i] = QChar(d.digits[i].unicode() + 1);
        } else {
            d.digits.prepend(u'1');
            ++d.pointPos;
        }
    }
    while (d.digits.endsWith(u'0')) {
        d.digits.chop(1);
    }
    if (d.digits.isEmpty()) {
        d.negative = false;
    }
    return d;
}

// Plain notation with at least `minFraction` fraction digits.
QString Plain(const Decimal& d, int minFraction)
{
    QString integer;
    QString fraction;
    if (d.pointPos <= 0) {
        integer = QStringLiteral("0");
        fraction = QString(-d.pointPos, u'0') + d.digits;
    } else if (d.pointPos >= d.digits.size()) {
        integer = d.digits + QString(d.pointPos - d.digits.size(), u'0');
    } else {
        integer = d.digits.left(d.pointPos);
        fraction = d.digits.mid(d.pointPos);
    }
    if (integer.isEmpty()) {
        integer = QStringLiteral("0");
    }
    while (fraction.size() < minFraction) {
        fraction += u'0';
    }
    QString out = d.negative ? QStringLiteral("-") : QString();
    out += integer;
    if (!fraction.isEmpty()) {
        out += u'.' + fraction;
    }
    return out;
}

} // namespace

QString FormatSectionStart(double seconds)
{
    Decimal d = RoundDigits(ExactDecimal(seconds), 15);
    // Tenths: keep the digits before the point plus one.
    d = RoundDigits(d, d.pointPos + 1);
    if (d.digits.isEmpty()) {
        return QStringLiteral("0.0");
    }
    return Plain(d, 1);
}

QString FormatSectionDuration(double seconds)
{
    const Decimal d = RoundDigits(ExactDecimal(seconds), 15);
    if (d.digits.isEmpty()) {
        return QStringLiteral("0");
    }
    const int exponent = d.pointPos - 1;
    if (exponent >= -5 && exponent < 15) {
        return Plain(d, 0);
    }
    QString out = d.negative ? QStringLiteral("-") : QString();
    out += d.digits.left(1);
    if (d.digits.size() > 1) {
        out += u'.' + d.digits.mid(1);
    }
    return out + u'E' + QString::number(exponent);
}

QString BuildEncoderCommand(const EncoderCommandInput& input)
{
    return QStringLiteral(" -y -i \"") + input.sourcePath + QStringLiteral("\" -ss ") +
           FormatSectionStart(input.start) + QStringLiteral(" -t ") +
           FormatSectionDuration(input.duration) + input.profileArgs + QStringLiteral(" \"") +
           input.outputPath + u'"';
}

QStringList BuildEncoderArguments(const EncoderCommandInput& input)
{
    QStringList args{QStringLiteral("-y"),
                     QStringLiteral("-i"),
                     input.sourcePath,
                     QStringLiteral("-ss"),
                     FormatSectionStart(input.start),
                     QStringLiteral("-t"),
                     FormatSectionDuration(input.duration)};
    args += SplitCommandLine(input.profileArgs);
    args += input.outputPath;
    return args;
}

QStringList SplitCommandLine(QStringView text)
{
    QStringList args;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (true) {
        while (i < n && (text[i] == u' ' || text[i] == u'\t')) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        QString arg;
        bool quoted = false;
        while (i < n) {
            const QChar c = text[i];
            if (!quoted && (c == u' ' || c == u'\t')) {
                break;
            }
            if (c == u'\\') {
                qsizetype slashes = 0;
                while (i < n && text[i] == u'\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && text[i] == u'"') {
                    arg += QString(slashes / 2, u'\\');
                    if (slashes % 2 == 1) {
                        arg += u'"';
                        ++i;
                    }
                    // An even count leaves the quote to the code below.
                } else {
                    arg += QString(slashes, u'\\');
                }
                continue;
            }
            if (c == u'"') {
                if (quoted && i + 1 < n && text[i + 1] == u'"') {
                    arg += u'"';
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            arg += c;
            ++i;
        }
        args += arg;
    }
    return args;
}
