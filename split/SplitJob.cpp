#include "SplitJob.h"

#include "EncoderContract.h"
#include "EncoderRun.h"
#include "about/ProgramInfo.h"

#include <QFileInfo>
#include <QTimer>

SplitJob::SplitJob(AppPaths paths, SplitHost* host, QObject* parent)
    : QObject(parent), m_paths(std::move(paths)), m_host(host)
{}

SplitJob::~SplitJob()
{
    if (m_run) {
        m_run->Stop();
    }
}

QString SplitJob::FailureMessage()
{
    return QStringLiteral("Error. Please re-install ") +
           QString::fromLatin1(ProgramInfo::ProductName);
}

std::optional<CheckFailure> SplitJob::Start(const SplitRequest& request)
{
    if (m_state != 0) {
        return std::nullopt;
    }
    auto checked = CheckAndPlan(request, m_paths);
    if (auto* failure = std::get_if<CheckFailure>(&checked)) {
        return *failure;
    }
    m_plan = std::get<SplitPlan>(std::move(checked));
    m_state = 1;
    m_index = 0;
    m_progress = {};
    emit begun(m_plan);
    // The sections run from the event loop, so the host finishes its own start first.
    QTimer::singleShot(0, this, [this] { NextSection(); });
    return std::nullopt;
}

void SplitJob::NextSection()
{
    // Skipped sections loop here instead of recursing: a count has no upper limit.
    while (m_state == 1) {
        if (m_index >= m_plan.count) {
            Finish(Outcome::Completed);
            return;
        }
        ++m_index;
        const SectionPlan section = PlanSection(m_plan, m_index);
        if (!m_plan.overwrite && QFileInfo::exists(section.outputPath)) {
            const bool replace = m_host && m_host->ConfirmOverwrite(section.outputPath);
            if (m_state != 1) {
                return; // cancelled while the question was open
            }
            if (!replace) {
                if (m_plan.equalSections) {
                    continue;
                }
                Finish(Outcome::Declined);
                return;
            }
        }
        RunSection(section);
        return;
    }
}

void SplitJob::RunSection(const SectionPlan& section)
{
    m_sectionDuration = section.duration;
    m_progress.lastEncoderTime = 0.0;
    emit sectionStarted(section, m_plan.count);

    auto* run = new EncoderRun(this);
    m_run = run;
    ++m_alive;
    connect(run, &QObject::destroyed, this, [this] {
        if (--m_alive == 0) {
            emit encodersGone();
        }
    });
    connect(run, &EncoderRun::chunk, this, &SplitJob::OnChunk);
    connect(run, &EncoderRun::outputEnded, this, &SplitJob::OnSectionEnded);
    connect(run, &EncoderRun::failedToStart, this, [this] { Finish(Outcome::Failed); });
    run->Start(m_paths.EncoderPath(),
               BuildEncoderArguments({m_plan.sourcePath, section.start, section.duration,
                                      m_plan.profileArgs, section.outputPath}));
}

void SplitJob::OnChunk(const QByteArray& data)
{
    if (m_state != 1) {
        return;
    }
    m_progress = ApplyChunk(m_progress, data, m_sectionDuration, m_index, m_plan.count);
    emit progress(m_progress.current, m_progress.total);
}

void SplitJob::OnSectionEnded()
{
    if (m_state != 1) {
        return;
    }
    m_progress.current = 0;
    m_progress.lastEncoderTime = 0.0;
    if (m_run) {
        m_run->Stop();
        m_run = nullptr;
    }
    emit sectionEnded(m_index);
    QTimer::singleShot(0, this, [this] { NextSection(); });
}

void SplitJob::Cancel()
{
    if (m_state != 1) {
        return;
    }
    m_state = 2;
    Finish(Outcome::Cancelled);
}

void SplitJob::Finish(Outcome outcome)
{
    if (m_run) {
        m_run->Stop();
        m_run = nullptr;
    }
    m_state = 0;
    emit finished(outcome);
}
