#pragma once

// The command line the external encoder is given for one section, as text and as the
// argument list the process is actually started with.

#include <QString>
#include <QStringList>
#include <QStringView>

// The section start as the encoder reads it: one decimal, a full stop, halves away from zero.
// The rounding is judged on the value as written to 15 significant digits, so that 0.15 gives
// "0.2" and 12.25 gives "12.3" as a person reads them, although neither is exact in binary.
// A value that rounds to zero is written "0.0", never "-0.0".
QString FormatSectionStart(double seconds);

// The section duration: rounded to 15 significant digits (halves away from zero), no trailing
// zeros, no point when whole, a full stop; plain notation from 0.00001 up to 15 integer
// digits, otherwise "1.5E-6" / "1E15" style. 10.0 / 3 gives "3.33333333333333".
QString FormatSectionDuration(double seconds);

struct EncoderCommandInput
{
    QString sourcePath;
    double start = 0.0;
    double duration = 0.0;
    QString profileArgs; // empty, or beginning with a blank
    QString outputPath;
};

// The text shown and tested as the section's command line:
// ` -y -i "<source>" -ss <start> -t <duration><profileArgs> "<output>"`.
QString BuildEncoderCommand(const EncoderCommandInput& input);

// The arguments the encoder process is started with: -y -i <source> -ss <start> -t <duration>,
// then profileArgs split by SplitCommandLine, then the output path. Each path is exactly one
// argument whatever characters it holds; no shell is involved.
QStringList BuildEncoderArguments(const EncoderCommandInput& input);

// Splits a command line the way the Windows C runtime builds argv: blanks and tabs separate;
// double quotes group and are removed; 2n backslashes before a quote give n backslashes and
// the quote groups, 2n+1 give n backslashes and a literal quote; other backslashes are
// literal; inside quotes "" is a literal quote. An empty pair of quotes is an empty argument.
QStringList SplitCommandLine(QStringView text);
