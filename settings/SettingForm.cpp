#include "SettingForm.h"

#include "app/MainForm.h"
#include "app/Platform.h"
#include "app/TimeCodes.h"
#include "ui_Main.h"
#include "ui_Settings.h"

#include <QCloseEvent>

TSettingForm::TSettingForm(AppPaths paths, TMainForm* main, UserDialogs* dialogs)
    : FixedDialog(main, true), m_ui(std::make_unique<Ui::TSettingForm>()),
      m_paths(std::move(paths)), m_main(main), m_dialogs(dialogs)
{
    m_ui->setupUi(this);
    FixSize(351, 332);
    // The captions are long for the dialog's width: the compact size of the original forms.
    QFont compact = font();
    compact.setPixelSize(11);
    setFont(compact);
    for (QLabel* header : {m_ui->labFiles, m_ui->labDone}) {
        header->setStyleSheet(QStringLiteral("font-weight: bold; color: #2f4a6d;"));
    }
    connect(m_ui->btnOK, &QPushButton::clicked, this, &TSettingForm::btnOKClick);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &TSettingForm::btnCancelClick);
    connect(m_ui->btnDefault, &QPushButton::clicked, this, &TSettingForm::btnDefaultClick);
    connect(m_ui->bbtnBrowse, &QPushButton::clicked, this, [this] {
        const QString folder =
            m_dialogs->PickFolder(this, QStringLiteral("Select the output directory."));
        if (!folder.isEmpty()) {
            m_ui->edtOutputDir->setText(WithTrailingBackslash(folder));
        }
    });

    // FormCreate
    LoadSettings(false);
    const qint32 profile = ReadPreferences(m_paths).profile;
    QComboBox* list = m_main->Form()->cmbProfile;
    list->setCurrentIndex(profile >= 0 && profile < list->count() ? profile : -1);
    if (m_ui->chkoutputdir->isChecked()) {
        m_main->Form()->edtOutputDir->setText(m_ui->edtOutputDir->text());
    }
}

TSettingForm::~TSettingForm() = default;

bool TSettingForm::Overwrite() const
{
    return m_ui->chkOverwrite->isChecked();
}

bool TSettingForm::OpenDir() const
{
    return m_ui->chkOpenDir->isChecked();
}

bool TSettingForm::Exit() const
{
    return m_ui->chkExit->isChecked();
}

bool TSettingForm::TurnOff() const
{
    return m_ui->chkTurnoff->isChecked();
}

void TSettingForm::LoadSettings(bool fromDefaults)
{
    const Preferences p = ReadPreferences(m_paths, fromDefaults);
    m_ui->chkPreview->setChecked(p.preview);
    m_ui->chkOverwrite->setChecked(p.overwrite);
    m_ui->chkoutputdir->setChecked(p.aptotic);
    m_ui->edtOutputDir->setText(p.outputDir);
    m_ui->chkOpenDir->setChecked(p.autoOpenDir);
    m_ui->chkExit->setChecked(p.autoExit);
    m_ui->chkTurnoff->setChecked(p.autoTurnOff);
}

Preferences TSettingForm::FromControls() const
{
    Preferences p;
    p.preview = m_ui->chkPreview->isChecked();
    p.overwrite = m_ui->chkOverwrite->isChecked();
    p.aptotic = m_ui->chkoutputdir->isChecked();
    p.outputDir = m_ui->edtOutputDir->text();
    p.autoOpenDir = m_ui->chkOpenDir->isChecked();
    p.autoExit = m_ui->chkExit->isChecked();
    p.autoTurnOff = m_ui->chkTurnoff->isChecked();
    p.profile = m_main->Form()->cmbProfile->currentIndex();
    return p;
}

bool TSettingForm::SaveSettings()
{
    if (const auto error = WritePreferences(m_paths, FromControls())) {
        m_dialogs->Plain(isVisible() ? static_cast<QWidget*>(this) : m_main, *error);
        return false;
    }
    return true;
}

void TSettingForm::btnOKClick()
{
    if (!SaveSettings()) {
        return; // the dialog stays open
    }
    if (m_ui->chkoutputdir->isChecked()) {
        m_main->Form()->edtOutputDir->setText(m_ui->edtOutputDir->text());
    }
    m_main->Form()->chkPreview->setChecked(m_ui->chkPreview->isChecked());
    hide();
}

void TSettingForm::btnCancelClick()
{
    hide();
    LoadSettings(false);
}

void TSettingForm::btnDefaultClick()
{
    LoadSettings(true);
}

void TSettingForm::reject()
{
    btnCancelClick();
}

void TSettingForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    hide();
}
