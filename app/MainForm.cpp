#include "MainForm.h"

#include "Pictures.h"
#include "Platform.h"
#include "TimeCodes.h"
#include "about/ProgramInfo.h"
#include "preview/Player.h"
#include "preview/RangeMarks.h"
#include "preview/TrackBar.h"
#include "preview/VideoView.h"
#include "profiles/IniFile.h"
#include "profiles/OutputSettingsForm.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileList.h"
#include "settings/Preferences.h"
#include "settings/SettingForm.h"
#include "split/CountDownForm.h"
#include "ui_Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QTextStream>

TMainForm::TMainForm(AppPaths paths, ProfileStore* store, UserDialogs* dialogs, Shell* shell,
                     const QStringList& args, QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TMainForm>()), m_paths(std::move(paths)),
      m_store(store), m_dialogs(dialogs), m_shell(shell),
      m_player(std::make_unique<Player>(Player::Output::Preview)), m_job(m_paths, this)
{
    m_ui->setupUi(this);
    m_ui->VideoWindow->Attach(m_player.get());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(783, 431);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    SetupPictures();
    SetupKeyboard();

    m_tmrProcess.setInterval(1000);
    m_tmrPreview.setInterval(1000);
    connect(&m_tmrProcess, &QTimer::timeout, this, &TMainForm::tmrProcessTimer);
    connect(&m_tmrPreview, &QTimer::timeout, this, &TMainForm::tmrPreviewTimer);

    connect(m_ui->sbtnOpen, &QToolButton::clicked, this, &TMainForm::sbtnOpenClick);
    connect(m_ui->sbtnSettings, &QToolButton::clicked, this, [this] {
        if (m_settings) {
            m_settings->show();
        }
    });
    connect(m_ui->sbtnAbout, &QToolButton::clicked, this, [this] {
        if (m_about) {
            m_about->show();
        }
    });
    connect(m_ui->sbtnHelp, &QToolButton::clicked, this, &TMainForm::sbtnHelpClick);
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, [this] {
        if (m_editor) {
            m_editor->BitBtn1Click();
        }
    });
    connect(m_ui->bbtnBrowse, &QPushButton::clicked, this, &TMainForm::bbtnBrowseClick);
    connect(m_ui->cmbProfile, &QComboBox::activated, this, [this] { cmbProfileChange(); });
    connect(m_ui->sbtnPlayPreview, &QToolButton::clicked, this, [this] {
        if (m_sourceLoaded) {
            m_player->Play();
        }
    });
    connect(m_ui->sbtnPausePreview, &QToolButton::clicked, this, [this] {
        if (m_sourceLoaded) {
            m_player->Pause();
        }
    });
    connect(m_ui->sbtnStopPreview, &QToolButton::clicked, this, [this] {
        if (m_sourceLoaded) {
            m_player->Stop();
        }
    });
    connect(m_player.get(), &Player::durationChanged, this, &TMainForm::ShowRuler);
    connect(m_player.get(), &Player::pausedChanged, this, [this](bool paused) {
        paused ? m_ui->tkbProgress->StopTimer() : m_ui->tkbProgress->StartTimer();
    });
    connect(m_ui->tkbProgress, &TrackBar::timerTick, this, &TMainForm::tkbProgressTimer);
    connect(m_ui->tkbProgress, &TrackBar::released, this, [this](qint64 second) {
        if (m_sourceLoaded) {
            m_player->Seek(double(second));
        }
    });
    connect(m_ui->sbtnSelStart, &QToolButton::clicked, this, &TMainForm::sbtnSelStartClick);
    connect(m_ui->sbtnSelEnd, &QToolButton::clicked, this, &TMainForm::sbtnSelEndClick);
    connect(m_ui->sbtnErase, &QToolButton::clicked, this, &TMainForm::sbtnEraseClick);
    connect(m_ui->edtStart, &QLineEdit::returnPressed, this, [this] { ApplyTyped(true); });
    connect(m_ui->edtEnd, &QLineEdit::returnPressed, this, [this] { ApplyTyped(false); });
    m_ui->edtStart->installEventFilter(this);
    m_ui->edtEnd->installEventFilter(this);

    connect(&m_job, &SplitJob::begun, this, [this] {
        BeginSplitUi();
        m_splitState = 1;
    });
    connect(&m_job, &SplitJob::sectionStarted, this, [this](const SectionPlan& section, qint32) {
        m_ui->labProcessing->setText(section.label);
    });
    connect(&m_job, &SplitJob::progress, this, [this](int current, int total) {
        m_ui->pgbCurrent->setValue(current);
        m_ui->pgbTotal->setValue(total);
        m_ui->labCurProgress->setText(QString::number(current) + u'%');
        m_ui->labTotalProgress->setText(QString::number(total) + u'%');
    });
    connect(&m_job, &SplitJob::sectionEnded, this, [this] { m_ui->pgbCurrent->setValue(0); });
    connect(&m_job, &SplitJob::finished, this, &TMainForm::OnJobFinished);

    FormCreate(args);
}

TMainForm::~TMainForm()
{
    // The picture's render context goes before the player it belongs to.
    m_ui->VideoWindow->Detach();
}

void TMainForm::FormCreate(const QStringList& args)
{
    m_sourceLoaded = false;
    m_ui->panProgress->setFixedHeight(289);
    m_versionText = ReadVersionText(m_paths);
    const QString product = QString::fromLatin1(ProgramInfo::ProductName);
    QApplication::setApplicationDisplayName(product);
    setWindowTitle(product + QStringLiteral(" V") + m_versionText);
    m_ui->labProgramName->setText(product.mid(product.indexOf(u' ') + 1));
    m_supportedExtensions = DefaultSupportedExtensions();
    BuildOpenFilter();
    FillProfileList();
    // A missing profile folder is reported above; the source and the drop target still work.
    LoadCommandLineSource(args);
    setAcceptDrops(true);
}

void TMainForm::BuildOpenFilter()
{
    QString entries;
    QString patterns;
    for (const QString& x : m_supportedExtensions) {
        const QString type = x.mid(1).toUpper();
        entries += type + QStringLiteral(" Files (*") + x + QStringLiteral(")|*") + x + u'|';
        patterns += u'*' + x + u';';
    }
    m_openFilter = QStringLiteral("All Support Files(") + patterns + QStringLiteral(")|") +
                   patterns + u'|' + entries + QStringLiteral("All Files (*.*)|*.*");
}

void TMainForm::FillProfileList()
{
    const FileListing profiles = ListProfiles(m_paths.ProfileDir());
    if (!profiles.error.isEmpty()) {
        m_dialogs->Plain(this, profiles.error);
    }
    m_ui->cmbProfile->addItems(profiles.names);
    m_ui->cmbProfile->setCurrentIndex(-1);
}

void TMainForm::LoadCommandLineSource(const QStringList& args)
{
    const QString a = args.value(0);
    QString candidate = a;
    if (AsciiLower(ExtensionOf(a)) == QStringLiteral(".tmp")) {
        candidate.clear();
        QFile list(a);
        if (list.open(QIODevice::ReadOnly | QIODevice::Text)) {
            QTextStream in(&list);
            candidate = in.readLine();
        }
    }
    if (IsSourceValid(candidate) && HasSupportedExt(candidate, m_supportedExtensions)) {
        LoadSource(candidate);
    }
}

void TMainForm::SetupPictures()
{
    const qreal ratio = devicePixelRatioF();
    m_ui->imgToolbar->setPixmap(Pictures::Render("toolbar", {783, 65}, ratio));
    m_ui->imgLeft->setPixmap(Pictures::Render("panel_left", {399, 366}, ratio));
    m_ui->Image4->setPixmap(Pictures::Render("panel_right", {384, 366}, ratio));
    m_ui->imgProgress->setPixmap(Pictures::Render("panel_right", {384, 366}, ratio));
    m_ui->imgBanner->setPixmap(Pictures::Render("banner", {359, 232}, ratio));
    const char* names[6] = {"start_normal",  "start_hover",  "start_pressed",
                            "cancel_normal", "cancel_hover", "cancel_pressed"};
    for (int i = 0; i < 6; ++i) {
        m_iglStart[i] = Pictures::Render(names[i], {133, 65}, ratio);
    }
    DrawStart(0);
    DrawCancel(3);
    setWindowIcon(Pictures::Icon("brindle"));

    const std::pair<QToolButton*, const char*> buttons[] = {
        {m_ui->sbtnOpen, "open"},        {m_ui->sbtnSettings, "settings"},
        {m_ui->sbtnAbout, "about"},      {m_ui->sbtnHelp, "help"},
        {m_ui->sbtnPlayPreview, "play"}, {m_ui->sbtnPausePreview, "pause"},
        {m_ui->sbtnStopPreview, "stop"}, {m_ui->sbtnSelStart, "mark_start"},
        {m_ui->sbtnSelEnd, "mark_end"},  {m_ui->sbtnErase, "clear"},
    };
    for (const auto& [button, icon] : buttons) {
        button->setIcon(Pictures::Icon(icon));
        button->setIconSize({22, 22});
        // The speed buttons keep their own look over the panels' pictures.
        button->setProperty("skinExempt", true);
        button->setStyleSheet(QStringLiteral(
            "QToolButton { color: #e9f1fb; background: transparent; border: 1px solid transparent;"
            " border-radius: 5px; font-size: 11px; }"
            "QToolButton:hover { background: rgba(255,255,255,40); border-color: "
            "rgba(255,255,255,70); }"
            "QToolButton:pressed { background: rgba(0,0,0,60); }"
            "QToolButton:disabled { color: #7d8899; }"
            "QToolButton:focus { border-color: #5fa8ff; }"));
    }
    m_ui->sbtnOpen->setIconSize({26, 26});
    m_ui->labProgramName->setStyleSheet(
        QStringLiteral("color: #ffffff; font-size: 20px; font-weight: bold; letter-spacing: 2px;"));
    const QString ruler = QStringLiteral("color: #c9d4e3; font-size: 10px;");
    for (QLabel* label : {m_ui->labLeft, m_ui->labMiddle, m_ui->labRight, m_ui->labCurrent}) {
        label->setStyleSheet(ruler);
    }
    for (QLabel* label : {m_ui->labStart, m_ui->labEnd}) {
        label->setStyleSheet(QStringLiteral("color: rgb(235,235,235); font-size: 10px;"));
    }
    m_ui->labLength->setStyleSheet(QStringLiteral("color: #1f5fbf;"));
    m_ui->labProcessing->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_ui->VideoWindow->setAutoFillBackground(true);
    QPalette black = m_ui->VideoWindow->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_ui->VideoWindow->setPalette(black);
    m_ui->labStart->hide();
    m_ui->labEnd->hide();

    // Pointer moves over the panels reset the image buttons' looks.
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_ui->panLeft, m_ui->panRight, m_ui->panProgress, m_ui->Image4, m_ui->imgStart,
             m_ui->imgCancel, m_ui->imgLeft, m_ui->imgProgress}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    m_ui->edtSectionQty->installEventFilter(this);
}

void TMainForm::SetupKeyboard()
{
    setTabOrder(m_ui->edtSource, m_ui->rdbStartEnd);
    setTabOrder(m_ui->rdbStartEnd, m_ui->edtStart);
    setTabOrder(m_ui->edtStart, m_ui->edtEnd);
    setTabOrder(m_ui->edtEnd, m_ui->rdbEqual);
    setTabOrder(m_ui->rdbEqual, m_ui->edtSectionQty);
    setTabOrder(m_ui->edtSectionQty, m_ui->cmbProfile);
    setTabOrder(m_ui->cmbProfile, m_ui->BitBtn1);
    setTabOrder(m_ui->BitBtn1, m_ui->edtOutputDir);
    setTabOrder(m_ui->edtOutputDir, m_ui->bbtnBrowse);
    auto shortcut = [this](const QKeySequence& keys, auto&& action) {
        auto* s = new QShortcut(keys, this);
        connect(s, &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), [this] {
        if (m_ui->imgStart->isVisible()) {
            imgStartClick();
        }
    });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] {
        if (m_ui->imgStart->isVisible()) {
            imgStartClick();
        }
    });
    shortcut(QKeySequence(Qt::Key_Escape), [this] {
        if (m_ui->imgCancel->isVisible()) {
            imgCancelClick();
        }
    });
    shortcut(QKeySequence::Open, [this] {
        if (m_ui->sbtnOpen->isEnabled()) {
            sbtnOpenClick();
        }
    });
    shortcut(QKeySequence::HelpContents, [this] { sbtnHelpClick(); });
    // Player and marks. Keys that type text reach the edits first, so these never take them.
    auto enabled = [](QToolButton* b) {
        return b->isEnabled() && b->isVisible();
    };
    shortcut(QKeySequence(Qt::Key_Space), [this, enabled] {
        if (!enabled(m_ui->sbtnPlayPreview) || !m_sourceLoaded) {
            return;
        }
        m_player->IsPlaying() ? m_player->Pause() : m_player->Play();
    });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Period), [this, enabled] {
        if (enabled(m_ui->sbtnStopPreview)) {
            m_ui->sbtnStopPreview->click();
        }
    });
    shortcut(QKeySequence(Qt::Key_BracketLeft), [this, enabled] {
        if (enabled(m_ui->sbtnSelStart)) {
            sbtnSelStartClick();
        }
    });
    shortcut(QKeySequence(Qt::Key_BracketRight), [this, enabled] {
        if (enabled(m_ui->sbtnSelEnd)) {
            sbtnSelEndClick();
        }
    });
    auto step = [this](int seconds) {
        if (!m_sourceLoaded || !m_ui->tkbProgress->isEnabled()) {
            return;
        }
        m_ui->tkbProgress->SetPosition(m_ui->tkbProgress->Position() + seconds);
        m_ui->labCurrent->setText(FormatTime(double(m_ui->tkbProgress->Position())));
        m_player->Seek(double(m_ui->tkbProgress->Position()));
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Left), [step] { step(-1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Right), [step] { step(1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Left), [step] { step(-10); });
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right), [step] { step(10); });
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        cmbProfileChange(); // FormShow
    }
}

void TMainForm::cmbProfileChange()
{
    const QString path = m_paths.ProfilePath(m_ui->cmbProfile->currentText());
    if (!QFileInfo(path).isFile()) {
        return;
    }
    if (const ProfileError error = LoadProfile(path, *m_store)) {
        m_dialogs->Plain(this, *error);
    }
}

void TMainForm::LoadSource(const QString& path)
{
    m_ui->panbanner->hide();
    m_ui->edtSource->setText(path);
    if (!IniFile(m_paths.PreferencesPath()).ReadBool("Main", "Aptotic", true)) {
        // A bare file name has no folder part: its folder is the current one.
        QString folder = FolderOf(path);
        if (folder.isEmpty()) {
            folder = QFileInfo(path).absolutePath();
        }
        m_ui->edtOutputDir->setText(WithTrailingBackslash(folder));
    }
    m_sourceLoaded = true;
    m_player->Load(QFileInfo(path).absoluteFilePath(), true);
    ShowRuler(m_player->DurationMs());
    m_ui->tkbProgress->SetSelStart(0);
    m_ui->tkbProgress->SetSelEnd(0);
    m_ui->labStart->hide();
    m_ui->labEnd->hide();
    m_ui->edtStart->setText(QStringLiteral("00:00:00"));
    m_ui->edtEnd->setText(QStringLiteral("00:00:00"));
    m_ui->labLength->hide();
    m_ui->VideoWindow->show();
    m_splitState = 0;
}

void TMainForm::ShowRuler(qint64 durationMs)
{
    m_ui->labMiddle->setText(FormatTime(double(durationMs) / 2000.0));
    m_ui->labRight->setText(FormatTime(double(durationMs) / 1000.0));
    m_ui->tkbProgress->SetRange(0, durationMs / 1000);
}

void TMainForm::sbtnOpenClick()
{
    const QString file = m_dialogs->OpenFile(this, m_openFilter);
    if (!file.isEmpty()) {
        LoadSource(file);
    }
}

void TMainForm::sbtnHelpClick()
{
    m_shell->Open(m_paths.HelpPath());
}

void TMainForm::bbtnBrowseClick()
{
    const QString folder =
        m_dialogs->PickFolder(this, QStringLiteral("Select the output directory."));
    if (!folder.isEmpty()) {
        m_ui->edtOutputDir->setText(WithTrailingBackslash(folder));
    }
}

void TMainForm::imgStartClick()
{
    QString profileArgs;
    const QString path = m_paths.ProfilePath(m_ui->cmbProfile->currentText());
    if (const ProfileError error = BuildProfileArgs(path, *m_store, profileArgs)) {
        m_dialogs->Plain(this, *error);
        return;
    }
    StartSplit(profileArgs);
}

void TMainForm::StartSplit(const QString& profileArgs)
{
    SplitRequest request;
    request.sourcePath = m_ui->edtSource->text();
    request.startText = m_ui->edtStart->text();
    request.endText = m_ui->edtEnd->text();
    request.equalSections = m_ui->rdbEqual->isChecked();
    request.sectionQtyText = m_ui->edtSectionQty->text();
    request.profileName = m_ui->cmbProfile->currentText();
    request.profileArgs = profileArgs;
    request.outputExt = m_store->OutputExt();
    request.outputDirText = m_ui->edtOutputDir->text();
    request.overwrite = m_settings && m_settings->Overwrite();
    request.sourceDurationMs = m_sourceLoaded ? m_player->DurationMs() : 0;
    request.decimalSeparator = QLocale::system().decimalPoint().front();
    if (const auto failure = m_job.Start(request)) {
        m_dialogs->Inform(this, failure->caption, failure->message);
        if (!failure->focus.isEmpty()) {
            if (auto* control = findChild<QWidget*>(failure->focus)) {
                control->setFocus(Qt::OtherFocusReason);
            }
        }
    }
}

bool TMainForm::ConfirmOverwrite(const QString&)
{
    return m_dialogs->Ask(this, QStringLiteral("Overwrite"),
                          QStringLiteral("The output file is existent. Overwrite it?"));
}

void TMainForm::SetPlayerEnabled(bool enabled)
{
    m_ui->tkbProgress->setEnabled(enabled);
    for (QToolButton* b : {m_ui->sbtnPlayPreview, m_ui->sbtnPausePreview, m_ui->sbtnStopPreview,
                           m_ui->sbtnSelStart, m_ui->sbtnSelEnd, m_ui->sbtnErase}) {
        b->setEnabled(enabled);
    }
}

void TMainForm::BeginSplitUi()
{
    m_player->Stop();
    m_elapsedSeconds = 0;
    m_tmrPreview.start();
    m_tmrProcess.start();
    SetPlayerEnabled(false);
    m_ui->imgStart->hide();
    m_ui->imgCancel->show();
    m_ui->sbtnOpen->setEnabled(false);
    m_ui->sbtnSettings->setEnabled(false);
    m_ui->pgbCurrent->setValue(0);
    m_ui->pgbTotal->setValue(0);
    m_ui->labCurProgress->setText(QStringLiteral("0%"));
    m_ui->labTotalProgress->setText(QStringLiteral("0%"));
    m_ui->labElapsed->clear();
    m_ui->labRemaining->clear();
    m_ui->panProgress->show();
    m_ui->panProgress->raise();
}

void TMainForm::EndSplitUi()
{
    m_tmrPreview.stop();
    SetPlayerEnabled(true);
    m_ui->imgStart->show();
    m_ui->imgCancel->hide();
    m_ui->sbtnOpen->setEnabled(true);
    m_ui->sbtnSettings->setEnabled(true);
    m_ui->panProgress->hide();
    m_splitState = 0;
}

void TMainForm::OnJobFinished(SplitJob::Outcome outcome)
{
    switch (outcome) {
    case SplitJob::Outcome::Completed:
        Completion();
        return;
    case SplitJob::Outcome::Failed:
        m_dialogs->Plain(this, SplitJob::FailureMessage());
        EndSplitUi();
        return;
    case SplitJob::Outcome::Cancelled:
    case SplitJob::Outcome::Declined:
        EndSplitUi();
        return;
    }
}

void TMainForm::Completion()
{
    m_tmrPreview.stop();
    m_tmrProcess.stop();
    const bool turnOff = m_settings && m_settings->TurnOff();
    const bool exit = m_settings && m_settings->Exit();
    if (m_countdown && (turnOff || exit)) {
        // The window keeps its splitting look while the countdown runs.
        m_splitState = 0;
        if (turnOff) {
            m_countdown->Prepare(TCountDownForm::TurnOff, QStringLiteral("Turn off Now"),
                                 QStringLiteral("The computer will be turned off within"));
        } else {
            m_countdown->Prepare(TCountDownForm::ExitProgram, QStringLiteral("Exit Now"),
                                 QStringLiteral("The program will exit within"));
        }
        m_countdown->show();
        return;
    }
    m_dialogs->Inform(this, QStringLiteral("Completed"),
                      QStringLiteral("Splitting is completed successfully."));
    if (m_settings && m_settings->OpenDir()) {
        m_shell->Open(m_ui->edtOutputDir->text());
    }
    EndSplitUi();
}

void TMainForm::tmrProcessTimer()
{
    ++m_elapsedSeconds;
    const qint64 remaining = RemainingSeconds(m_elapsedSeconds, m_ui->pgbTotal->value());
    m_ui->labElapsed->setText(FormatTime(double(m_elapsedSeconds)));
    m_ui->labRemaining->setText(FormatTime(double(remaining)));
}

void TMainForm::tmrPreviewTimer()
{
    const double seconds = double(m_player->DurationMs()) / 1000.0;
    m_ui->labCurrent->setText(FormatTime(seconds));
    m_ui->tkbProgress->SetPosition(RoundHalfEven(seconds));
}

void TMainForm::imgCancelClick()
{
    if (m_dialogs->Ask(this, QStringLiteral("Query"),
                       QStringLiteral("Do you want to cancel the splitting?")) &&
        m_splitState == 1) {
        m_splitState = 2;
        m_job.Cancel();
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (m_splitState == 1) {
        if (!m_dialogs->Ask(this, QStringLiteral("Exit Query"),
                            QStringLiteral("Do you want to cancel the splitting and exit?"))) {
            event->ignore();
            return;
        }
        m_splitState = 2;
        m_job.Cancel();
    }
    event->accept();
    // FormClose
    if (m_settings) {
        m_settings->SaveSettings();
    }
}

void TMainForm::DrawStart(int picture)
{
    m_startPicture = picture;
    m_ui->imgStart->setPixmap(m_iglStart[picture]);
}

void TMainForm::DrawCancel(int picture)
{
    m_cancelPicture = picture;
    m_ui->imgCancel->setPixmap(m_iglStart[picture]);
}

void TMainForm::ResetImageButtons()
{
    if (m_startTag != 0) {
        m_startTag = 0;
        DrawStart(0);
    }
    if (m_cancelTag != 0) {
        m_cancelTag = 0;
        DrawCancel(3);
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusOut && watched == m_ui->edtStart) {
        ApplyTyped(true); // edtStartExit
        return false;
    }
    if (type == QEvent::FocusOut && watched == m_ui->edtEnd) {
        ApplyTyped(false); // edtEndExit
        return false;
    }
    if (watched == m_ui->edtSectionQty) {
        if (type == QEvent::MouseButtonPress) {
            m_ui->rdbEqual->setChecked(true); // edtSectionQtyClick
        }
        return false;
    }
    if (watched == m_ui->imgStart || watched == m_ui->imgCancel) {
        const bool start = watched == m_ui->imgStart;
        int& tag = start ? m_startTag : m_cancelTag;
        const int base = start ? 0 : 3;
        auto draw = [&](int picture) {
            start ? DrawStart(picture) : DrawCancel(picture);
        };
        if (type == QEvent::MouseMove) {
            if (tag == 0) {
                tag = 1;
                draw(base + 1);
            }
        } else if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            tag = 2;
            draw(base + 2);
        } else if (type == QEvent::MouseButtonRelease) {
            tag = 1;
            draw(base + 1);
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint())) {
                start ? imgStartClick() : imgCancelClick();
            }
        } else {
            return false;
        }
        // Handled here: the panel beneath must not take it for a move over the panel.
        event->accept();
        return true;
    }
    if (type == QEvent::MouseMove) {
        ResetImageButtons(); // imgRightBottomMouseMove, Image4MouseMove
    }
    return false;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TMainForm::dropEvent(QDropEvent* event)
{
    if (FilesDropped(event->mimeData()->urls())) {
        event->acceptProposedAction();
    }
}

bool TMainForm::FilesDropped(const QList<QUrl>& urls)
{
    if (m_ui->panProgress->isVisible() || urls.isEmpty() || !urls.first().isLocalFile()) {
        return false;
    }
    // Only the first file counts, with its whole path.
    const QString path = urls.first().toLocalFile();
    if (!HasSupportedExt(path, m_supportedExtensions) || !IsSourceValid(path)) {
        return false;
    }
    LoadSource(path);
    return true;
}

double TMainForm::DurationSeconds() const
{
    return double(m_player->DurationMs()) / 1000.0;
}

void TMainForm::tkbProgressTimer()
{
    TrackBar* bar = m_ui->tkbProgress;
    bar->SetRange(0, m_player->DurationMs() / 1000);
    bar->SetPosition(qint64(m_player->Position() * 1000.0) / 1000);
    m_ui->labCurrent->setText(FormatTime(double(bar->Position())));
}

void TMainForm::PlaceStartMarker()
{
    m_ui->labStart->adjustSize();
    m_ui->labStart->move(StartMarkerLeft(m_ui->tkbProgress->SelStart(), m_ui->tkbProgress->Max()),
                         m_ui->labStart->y());
}

void TMainForm::PlaceEndMarker()
{
    m_ui->labEnd->adjustSize();
    m_ui->labEnd->move(
        EndMarkerLeft(m_ui->tkbProgress->SelEnd(), m_ui->tkbProgress->Max(), m_ui->labEnd->width()),
        m_ui->labEnd->y());
}

void TMainForm::ArrangeEndMarkerRow()
{
    QLabel* s = m_ui->labStart;
    QLabel* e = m_ui->labEnd;
    e->move(e->x(), EndMarkerTop(s->x(), s->width(), s->y(), e->x(), e->width()));
}

void TMainForm::WriteLengthFromSelection()
{
    m_ui->labLength->setText(
        LengthText(double(m_ui->tkbProgress->SelStart()), double(m_ui->tkbProgress->SelEnd())));
}

void TMainForm::ShowMarker(bool start)
{
    if (start) {
        m_ui->labStart->setText(QStringLiteral("[ ") + m_ui->edtStart->text());
        PlaceStartMarker();
    } else {
        m_ui->labEnd->setText(m_ui->edtEnd->text() + QStringLiteral(" ]"));
        PlaceEndMarker();
    }
    ArrangeEndMarkerRow();
    (start ? m_ui->labStart : m_ui->labEnd)->show();
    m_ui->labLength->show();
}

void TMainForm::MarkFromPlayer(bool start)
{
    if (!m_sourceLoaded) {
        return;
    }
    const qint64 at = m_ui->tkbProgress->Position();
    start ? m_ui->tkbProgress->SetSelStart(at) : m_ui->tkbProgress->SetSelEnd(at);
    (start ? m_ui->edtStart : m_ui->edtEnd)->setText(FormatTime(double(at)));
    ShowMarker(start);
    WriteLengthFromSelection();
}

void TMainForm::MarkTyped(bool start, double x)
{
    const double d = DurationSeconds();
    if (!(d >= x)) {
        x = d; // beyond the end of the video: pulled back to it
    }
    const qint64 second = RoundHalfEven(x);
    start ? m_ui->tkbProgress->SetSelStart(second) : m_ui->tkbProgress->SetSelEnd(second);
    // The edit keeps the typed time in normal form, unclamped.
    QLineEdit* edit = start ? m_ui->edtStart : m_ui->edtEnd;
    edit->setText(FormatTime(ParseTime(edit->text(), QLocale::system().decimalPoint().front())));
    ShowMarker(start);
    if (start) {
        WriteLengthFromSelection();
    } else {
        // The length comes from the typed end, not from its rounded second.
        m_ui->labLength->setText(LengthText(double(m_ui->tkbProgress->SelStart()), x));
    }
}

void TMainForm::ApplyTyped(bool start)
{
    if (!m_sourceLoaded) {
        return;
    }
    QLineEdit* edit = start ? m_ui->edtStart : m_ui->edtEnd;
    const double t = ParseTime(edit->text(), QLocale::system().decimalPoint().front());
    if (t != -1.0) {
        MarkTyped(start, t);
    }
}

void TMainForm::sbtnSelStartClick()
{
    MarkFromPlayer(true);
}

void TMainForm::sbtnSelEndClick()
{
    MarkFromPlayer(false);
}

void TMainForm::SetMarkStart(double seconds)
{
    MarkTyped(true, seconds);
}

void TMainForm::SetMarkEnd(double seconds)
{
    MarkTyped(false, seconds);
}

void TMainForm::sbtnEraseClick()
{
    if (!m_sourceLoaded) {
        return;
    }
    m_ui->tkbProgress->SetSelStart(0);
    m_ui->tkbProgress->SetSelEnd(0);
    m_ui->edtStart->setText(FormatTime(0));
    m_ui->edtEnd->setText(FormatTime(0));
    m_ui->labStart->hide();
    m_ui->labEnd->hide();
}
