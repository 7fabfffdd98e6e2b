#include "Progress.h"

#include "app/TimeCodes.h"

#include <QString>
#include <algorithm>
#include <cmath>

qint64 RoundHalfEven(double value)
{
    constexpr double limit = 9.0e18;
    if (!std::isfinite(value)) {
        return 0;
    }
    const double r = std::nearbyint(std::clamp(value, -limit, limit));
    // nearbyint follows the current rounding mode; the default one is to nearest, ties even.
    return static_cast<qint64>(r);
}

namespace {

int Bar(double value)
{
    return static_cast<int>(std::clamp<qint64>(RoundHalfEven(value), 0, 100));
}

} // namespace

ChunkProgress ApplyChunk(ChunkProgress state, QByteArrayView chunk, double sectionDuration,
                         qint32 i, qint32 n)
{
    const qsizetype nul = chunk.indexOf('\0');
    if (nul >= 0) {
        chunk = chunk.first(nul);
    }
    const qsizetype p = chunk.indexOf(QByteArrayView("time"));
    if (p >= 0 && p + 5 <= chunk.size()) {
        const QByteArrayView tail = chunk.sliced(p + 5);
        const qsizetype blank = tail.indexOf(' ');
        if (blank >= 0) {
            const auto v = ReadDecimal(QString::fromLatin1(tail.first(blank)), u'.');
            if (v && *v > state.lastEncoderTime && *v < 1e9) {
                state.lastEncoderTime = *v;
            }
        }
    }
    if (sectionDuration != 0) {
        state.current = Bar(state.lastEncoderTime / sectionDuration * 100);
    }
    const double total = double(state.current) + (double(i) - 1) * 100;
    state.total = n != 0 ? Bar(total / n) : 100;
    return state;
}

qint64 RemainingSeconds(qint64 elapsed, int totalPercent)
{
    if (totalPercent == 0) {
        return 0;
    }
    return RoundHalfEven(double(elapsed) / (double(totalPercent) / 100) - double(elapsed));
}
