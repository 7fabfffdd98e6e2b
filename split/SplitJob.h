#pragma once

// A split job: the checks, then one encoder run per section, one after the other.

#include "Progress.h"
#include "SplitPlan.h"
#include "app/AppPaths.h"

#include <QObject>
#include <QPointer>
#include <optional>

class EncoderRun;

// What the job asks the program that runs it. The job itself never shows a window.
class SplitHost
{
public:
    virtual ~SplitHost() = default;
    // A clip exists at path and the overwrite preference is off. True replaces the clip.
    // In the equal-sections mode false skips the section; in the one-clip mode it ends the job.
    virtual bool ConfirmOverwrite(const QString& path) = 0;
};

class SplitJob : public QObject
{
    Q_OBJECT
public:
    enum class Outcome
    {
        Completed, // every section ended (or was skipped): the completion actions follow
        Cancelled, // Cancel(): the running encoder was stopped
        Failed,    // the encoder could not be started: FailureMessage() says so
        Declined,  // No to the overwrite question in the one-clip mode
    };
    Q_ENUM(Outcome)

    SplitJob(AppPaths paths, SplitHost* host, QObject* parent = nullptr);
    ~SplitJob() override;

    // Runs the checks. The first failure is returned and nothing else happens. Otherwise the
    // job begins (begun() is emitted before this returns) and runs its sections from the event
    // loop; finished() tells how it ended.
    std::optional<CheckFailure> Start(const SplitRequest& request);

    // Cancel requested: acted on at once, even while the encoder is silent. Does nothing
    // unless a job is running.
    void Cancel();

    // 0 idle, 1 splitting, 2 cancel requested.
    int State() const { return m_state; }
    bool IsRunning() const { return m_state != 0; }
    const SplitPlan& Plan() const { return m_plan; }
    const ChunkProgress& Progress() const { return m_progress; }
    // Encoder processes of this job not yet gone (a stopped one lingers until it has closed
    // its clip, at most EncoderRun::KillDelayMs).
    int EncodersAlive() const { return m_alive; }

    // "Error. Please re-install " + the product name.
    static QString FailureMessage();

signals:
    void begun(const SplitPlan& plan);
    void sectionStarted(const SectionPlan& section, qint32 count);
    void progress(int current, int total);
    void sectionEnded(qint32 index);
    void finished(SplitJob::Outcome outcome);
    // The last encoder process of the job has gone.
    void encodersGone();

private:
    void NextSection();
    void RunSection(const SectionPlan& section);
    void OnChunk(const QByteArray& data);
    void OnSectionEnded();
    void Finish(Outcome outcome);

    AppPaths m_paths;
    SplitHost* m_host;
    SplitPlan m_plan;
    int m_state = 0;
    qint32 m_index = 0;
    double m_sectionDuration = 0.0;
    ChunkProgress m_progress;
    QPointer<EncoderRun> m_run;
    int m_alive = 0;
};
