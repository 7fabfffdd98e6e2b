#pragma once

// The arithmetic of a running job's display, kept apart from the process and the window.

#include <QByteArrayView>
#include <QtGlobal>

// Nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
qint64 RoundHalfEven(double value);

// What the bars show after one chunk of encoder output.
struct ChunkProgress
{
    double lastEncoderTime = 0.0; // the largest time accepted so far in this section
    int current = 0;              // pgbCurrent, 0..100
    int total = 0;                // pgbTotal, 0..100
};

// Applies one chunk (at most 4095 bytes, read up to its first zero byte) of section i of n.
// Only the first "time" of the chunk counts: its value is the text after "time" and one more
// character, up to the first blank, read with a full stop. It is taken when it is greater
// than the last one and less than 10^9; a value cut off by the end of the chunk is not read.
// The current bar follows when the section duration is not 0; the total is (current +
// (i - 1) x 100) / n. Both are held within 0..100.
ChunkProgress ApplyChunk(ChunkProgress state, QByteArrayView chunk, double sectionDuration,
                         qint32 i, qint32 n);

// The remaining time after `elapsed` seconds at a total of `totalPercent`: 0 while the total is
// 0, else Round(elapsed / (percent / 100) - elapsed).
qint64 RemainingSeconds(qint64 elapsed, int totalPercent);
