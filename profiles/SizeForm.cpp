#include "SizeForm.h"

#include "ProfileStore.h"
#include "app/Platform.h"
#include "app/TimeCodes.h"
#include "ui_CustomSize.h"

#include <QCloseEvent>
#include <QHideEvent>

TSizeForm::TSizeForm(QWidget* main, ProfileStore* store, UserDialogs* dialogs)
    : FixedDialog(main, true), m_ui(std::make_unique<Ui::TSizeForm>()), m_store(store),
      m_dialogs(dialogs)
{
    m_ui->setupUi(this);
    FixSize(336, 106);
    connect(m_ui->btnOK, &QPushButton::clicked, this, &TSizeForm::btnOKClick);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &TSizeForm::close);
}

TSizeForm::~TSizeForm() = default;

void TSizeForm::btnOKClick()
{
    if (!ReadInteger(m_ui->edtWidth->text())) {
        m_dialogs->Inform(this, QStringLiteral("Incorrect Width"),
                          QStringLiteral("Please specify a proper width for output videos."));
        m_ui->edtWidth->setFocus();
        return;
    }
    if (!ReadInteger(m_ui->edtHeight->text())) {
        m_dialogs->Inform(this, QStringLiteral("Incorrect Height"),
                          QStringLiteral("Please specify a proper height for output videos."));
        m_ui->edtHeight->setFocus();
        return;
    }
    m_store->SetText(ProfileGroup::Video, QStringLiteral("Video Size"),
                     m_ui->edtWidth->text() + u'x' + m_ui->edtHeight->text());
    close();
}

void TSizeForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    hide();
}

void TSizeForm::hideEvent(QHideEvent* event)
{
    FixedDialog::hideEvent(event); // enables the main window
    if (event->spontaneous()) {
        return;
    }
    if (m_store->Text(ProfileGroup::Video, QStringLiteral("Video Size")) ==
        QStringLiteral("Custom Size")) {
        m_store->SetText(ProfileGroup::Video, QStringLiteral("Video Size"),
                         QStringLiteral("Original Size"));
    }
}
