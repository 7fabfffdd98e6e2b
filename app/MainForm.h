#pragma once

#include "app/AppPaths.h"
#include "split/SplitJob.h"

#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <array>
#include <memory>

namespace Ui {
class TMainForm;
}
class Player;
class ProfileStore;
class Shell;
class TSettingForm;
class TCountDownForm;
class TopSettingForm;
class UserDialogs;
class QLabel;

// The main window: toolbar, the player on the left, the split settings and the Start button on
// the right, and the progress panel that covers them while a job runs.
class TMainForm : public QWidget, public SplitHost
{
    Q_OBJECT
public:
    // Runs FormCreate. args: the command line without the program's name.
    TMainForm(AppPaths paths, ProfileStore* store, UserDialogs* dialogs, Shell* shell,
              const QStringList& args, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The windows created after this one.
    void SetSettingForm(TSettingForm* settings) { m_settings = settings; }
    void SetProfileEditor(TopSettingForm* editor) { m_editor = editor; }
    void SetAboutForm(QWidget* about) { m_about = about; }
    void SetCountdown(TCountDownForm* countdown) { m_countdown = countdown; }

    const AppPaths& Paths() const { return m_paths; }
    const QString& VersionText() const { return m_versionText; }
    const QStringList& SupportedExtensions() const { return m_supportedExtensions; }
    // The Open dialog's filter, "Description|pattern|..." as built at creation.
    const QString& OpenDialogFilter() const { return m_openFilter; }
    bool SourceLoaded() const { return m_sourceLoaded; }
    int SplitState() const { return m_splitState; }
    // Look states (Tag) of the two image buttons: 0 normal, 1 pointer over it, 2 pressed;
    // and the index of the picture of iglStart each shows.
    int StartTag() const { return m_startTag; }
    int CancelTag() const { return m_cancelTag; }
    int StartPicture() const { return m_startPicture; }
    int CancelPicture() const { return m_cancelPicture; }
    Player* PreviewPlayer() const { return m_player.get(); }
    SplitJob& Job() { return m_job; }
    Ui::TMainForm* Form() const { return m_ui.get(); }

    // The main list's profile, loaded into the store (also run when the window first shows).
    void cmbProfileChange();
    void LoadSource(const QString& path);
    // Files dropped on the window: the first is loaded when it is a supported video that
    // exists and no job runs. True when it was loaded.
    bool FilesDropped(const QList<QUrl>& urls);
    void imgStartClick();
    void imgCancelClick();
    void BeginSplitUi();
    void EndSplitUi();

    // Range marking.
    void sbtnSelStartClick();
    void sbtnSelEndClick();
    void sbtnEraseClick();
    void SetMarkStart(double seconds);
    void SetMarkEnd(double seconds);

    bool ConfirmOverwrite(const QString& path) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate(const QStringList& args);
    void BuildOpenFilter();
    void FillProfileList();
    void LoadCommandLineSource(const QStringList& args);
    void SetupPictures();
    void SetupKeyboard();
    void StartSplit(const QString& profileArgs);
    void OnJobFinished(SplitJob::Outcome outcome);

public:
    // What follows the last section: a countdown to power-off or exit, or the success message
    // and the output folder.
    void Completion();

private:
    void tmrProcessTimer();
    void tkbProgressTimer();
    void ApplyTyped(bool start);
    void MarkFromPlayer(bool start);
    void MarkTyped(bool start, double seconds);
    void ShowMarker(bool start);
    // The track bar and the six player and marking buttons.
    void SetPlayerEnabled(bool enabled);
    void PlaceStartMarker();
    void PlaceEndMarker();
    void ArrangeEndMarkerRow();
    void WriteLengthFromSelection();
    double DurationSeconds() const;
    void tmrPreviewTimer();
    void ShowRuler(qint64 durationMs);
    void DrawStart(int picture);
    void DrawCancel(int picture);
    void ResetImageButtons();
    void sbtnOpenClick();
    void sbtnHelpClick();
    void bbtnBrowseClick();

    std::unique_ptr<Ui::TMainForm> m_ui;
    AppPaths m_paths;
    ProfileStore* m_store;
    UserDialogs* m_dialogs;
    Shell* m_shell;
    TSettingForm* m_settings = nullptr;
    TopSettingForm* m_editor = nullptr;
    QWidget* m_about = nullptr;
    TCountDownForm* m_countdown = nullptr;
    std::unique_ptr<Player> m_player;
    SplitJob m_job;
    QTimer m_tmrProcess;
    QTimer m_tmrPreview;

    QString m_versionText;
    QStringList m_supportedExtensions;
    QString m_openFilter;
    bool m_sourceLoaded = false;
    int m_splitState = 0;
    qint64 m_elapsedSeconds = 0;
    int m_startTag = 0;
    int m_cancelTag = 0;
    int m_startPicture = 0;
    int m_cancelPicture = 3;
    bool m_shown = false;
    std::array<QPixmap, 6> m_iglStart;
};
