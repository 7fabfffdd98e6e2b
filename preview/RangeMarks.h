#pragma once

// The arithmetic of the range marks under the track bar, kept apart from the window.

#include <QString>
#include <QtGlobal>

struct TrackGeometry
{
    int left = 39;   // the track bar's left within its panel
    int width = 296; // and its width
};

// The start marker's left: round(selStart / max * width + left), halves to even. The track bar's
// inner margins are not allowed for. With max 0 (no duration known, or under a second) a mark
// above 0 stands at the right end and any other at the left end.
int StartMarkerLeft(qint64 selStart, qint64 max, TrackGeometry track = {});

// The end marker's left: its "]" ends at the mark's share of the width.
int EndMarkerLeft(qint64 selEnd, qint64 max, int labelWidth, TrackGeometry track = {});

// The end marker's top: the start marker's row when the two lie apart, one row (10 pixels)
// lower when they overlap or just touch.
int EndMarkerTop(int startLeft, int startWidth, int startTop, int endLeft, int endWidth);

// "The length of the marked rang is hh:mm:ss" when start < end, otherwise
// "The End Time should be later than the Start Time.".
QString LengthText(double start, double end);
