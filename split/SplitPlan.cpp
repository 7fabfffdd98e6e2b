#include "SplitPlan.h"

#include "EncoderContract.h"
#include "app/TimeCodes.h"

#include <QFileInfo>

namespace {

CheckFailure Fail(const char* message, const char* caption, const char* focus = "")
{
    return {QString::fromLatin1(message), QString::fromLatin1(caption), QString::fromLatin1(focus)};
}

} // namespace

std::variant<CheckFailure, SplitPlan> CheckAndPlan(const SplitRequest& request,
                                                   const AppPaths& paths)
{
    if (!IsSourceValid(request.sourcePath)) {
        return Fail("Please specify a valid input video file.", "Invalid File", "edtSource");
    }
    const double start = ParseTime(request.startText, request.decimalSeparator);
    if (start == -1.0) {
        return Fail("Please varify the Start Time you selected.", "Invalid Start Time");
    }
    if (!(double(request.sourceDurationMs) / 1000.0 > start)) {
        return Fail("Please varify the Start Time you selected.", "Invalid Start Time");
    }
    const double end = ParseTime(request.endText, request.decimalSeparator);
    if (end == -1.0 || !(end > 0)) {
        return Fail("Please varify the End Time you selected.", "Invalid End Time");
    }
    const double length = end - start;
    if (!(length > 0)) {
        return Fail("The End Time should be later than the Start Time.", "Invalid Time");
    }
    qint32 count = 1;
    if (request.equalSections) {
        const auto n = ReadInteger(request.sectionQtyText);
        if (!n) {
            return Fail("Please specify a valid section quantity.", "Invalid Section",
                        "edtSectionQty");
        }
        count = *n;
    }
    if (!QFileInfo(paths.ProfilePath(request.profileName)).isFile()) {
        return Fail("Please select a valid output profile.", "Invalid Output Path", "cmbProfile");
    }
    if (request.outputDirText.isEmpty() || !QFileInfo(request.outputDirText).isDir()) {
        return Fail("Please specify a valid output path.", "Invalid Output Path", "edtOutputDir");
    }

    SplitPlan plan;
    plan.sourcePath = request.sourcePath;
    plan.sourceFileName = FileNameOf(request.sourcePath);
    plan.outputDir = WithTrailingBackslash(request.outputDirText);
    plan.clipExt = request.outputExt;
    if (request.profileName == QLatin1String(LosslessProfileName)) {
        // A lossless clip keeps the source's container, so it keeps its extension too.
        const QString sourceExt = ExtensionOf(plan.sourceFileName);
        if (!sourceExt.isEmpty()) {
            plan.clipExt = sourceExt;
        }
    }
    plan.profileArgs = request.profileArgs;
    plan.equalSections = request.equalSections;
    plan.overwrite = request.overwrite;
    plan.count = count;
    plan.start = start;
    plan.length = length;
    return plan;
}

SectionPlan PlanSection(const SplitPlan& plan, qint32 i)
{
    SectionPlan s;
    s.index = i;
    s.outputPath = plan.outputDir + NameWithoutExt(plan.sourceFileName) + QStringLiteral("_Clip") +
                   QString::number(i) + plan.clipExt;
    if (plan.equalSections) {
        s.duration = plan.length / plan.count;
        s.start = (i - 1) * s.duration + plan.start;
        s.label = QStringLiteral("Splitting: Section ") + QString::number(i);
    } else {
        s.duration = plan.length;
        s.start = plan.start;
        s.label = QStringLiteral("Splitting: ") + plan.sourceFileName;
    }
    s.command =
        BuildEncoderCommand({plan.sourcePath, s.start, s.duration, plan.profileArgs, s.outputPath});
    return s;
}
