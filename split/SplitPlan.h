#pragma once

// A split job's request, its eight checks and the plan of its sections, as plain values.

#include "app/AppPaths.h"

#include <QChar>
#include <QString>
#include <optional>
#include <variant>

// The profile for which clips keep the source's container: its encoder arguments copy the
// streams, and the clips take the source's own extension.
inline constexpr const char* LosslessProfileName = "Settings of the source file.";

struct SplitRequest
{
    QString sourcePath;            // edtSource, as typed
    QString startText;             // edtStart
    QString endText;               // edtEnd
    bool equalSections = false;    // rdbEqual checked (else rdbStartEnd)
    QString sectionQtyText;        // edtSectionQty
    QString profileName;           // cmbProfile text
    QString profileArgs;           // built from the profile before the checks
    QString outputExt;             // "." + Type of the profile last loaded
    QString outputDirText;         // edtOutputDir
    bool overwrite = false;        // chkOverwrite
    qint64 sourceDurationMs = 0;   // 0 when no source is loaded
    QChar decimalSeparator = u'.'; // the user's, for the typed times
};

// The first check that failed: the message box's text and caption, and the object name of the
// control that gets the focus (empty: none).
struct CheckFailure
{
    QString message;
    QString caption;
    QString focus;

    bool operator==(const CheckFailure&) const = default;
};

struct SplitPlan
{
    QString sourcePath;
    QString sourceFileName;
    QString outputDir; // with its trailing "/"
    QString clipExt;   // the extension the clips are named with
    QString profileArgs;
    bool equalSections = false;
    bool overwrite = false;
    qint32 count = 1; // N; 0 or less runs no section
    double start = 0.0;
    double length = 0.0;
};

struct SectionPlan
{
    qint32 index = 1; // 1-based
    double start = 0.0;
    double duration = 0.0;
    QString outputPath;
    QString label;   // labProcessing's caption
    QString command; // EncoderCommand
};

// Runs the eight checks in their order; the first failure is returned, otherwise the plan.
std::variant<CheckFailure, SplitPlan> CheckAndPlan(const SplitRequest& request,
                                                   const AppPaths& paths);

// Section i (1-based, 1 <= i <= plan.count). Computed on demand: a count has no upper limit.
SectionPlan PlanSection(const SplitPlan& plan, qint32 i);
