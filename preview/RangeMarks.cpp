#include "RangeMarks.h"

#include "app/TimeCodes.h"
#include "split/Progress.h"

namespace {

double Share(qint64 seconds, qint64 max)
{
    if (max == 0) {
        return seconds > 0 ? 1.0 : 0.0;
    }
    return double(seconds) / double(max);
}

} // namespace

int StartMarkerLeft(qint64 selStart, qint64 max, TrackGeometry track)
{
    return int(RoundHalfEven(Share(selStart, max) * track.width + track.left));
}

int EndMarkerLeft(qint64 selEnd, qint64 max, int labelWidth, TrackGeometry track)
{
    return int(RoundHalfEven(Share(selEnd, max) * track.width + track.left - labelWidth));
}

int EndMarkerTop(int startLeft, int startWidth, int startTop, int endLeft, int endWidth)
{
    const bool apart = startLeft + startWidth < endLeft || endLeft + endWidth < startLeft;
    return apart ? startTop : startTop + 10;
}

QString LengthText(double start, double end)
{
    if (start < end) {
        return QStringLiteral("The length of the marked rang is ") + FormatTime(end - start);
    }
    return QStringLiteral("The End Time should be later than the Start Time.");
}
