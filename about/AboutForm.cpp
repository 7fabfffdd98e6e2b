#include "AboutForm.h"

#include "ProgramInfo.h"
#include "app/Pictures.h"
#include "app/Platform.h"
#include "ui_About.h"

#include <QKeyEvent>
#include <QMouseEvent>

TAboutForm::TAboutForm(QWidget* main, const QString& versionText, Shell* shell)
    : FixedDialog(main, true), m_ui(std::make_unique<Ui::TAboutForm>()), m_shell(shell)
{
    m_ui->setupUi(this);
    FixSize(476, 330);
    m_ui->imgBackground->setPixmap(
        Pictures::Render("about_background", {476, 330}, devicePixelRatioF()));

    // FormCreate
    m_ui->labProgramName->setText(QString::fromLatin1(ProgramInfo::ProductName));
    m_ui->labVersion->setText(QStringLiteral("Version ") + versionText);
    m_ui->labWebsite->setText(QString::fromLatin1(ProgramInfo::WebSite));
    QLabel* related[3] = {m_ui->Label8, m_ui->Label9, m_ui->Label10};
    for (int i = 0; i < 3; ++i) {
        related[i]->setText(QString::fromLatin1(ProgramInfo::RelatedProducts[i].name));
        related[i]->setToolTip(QString::fromLatin1(ProgramInfo::RelatedProducts[i].address));
    }

    QFont name(QStringLiteral("Verdana"));
    name.setPixelSize(24);
    name.setBold(true);
    name.setItalic(true);
    m_ui->labProgramName->setFont(name);
    m_ui->labProgramName->setStyleSheet(QStringLiteral("color: #1f3452;"));
    m_ui->labVersion->setStyleSheet(QStringLiteral("color: #4a5b70;"));
    const QString link = QStringLiteral("color: #1f5fbf;");
    m_ui->labWebsite->setStyleSheet(link + QStringLiteral(" text-decoration: underline;"));
    for (QLabel* label : {m_ui->labMore, m_ui->Label8, m_ui->Label9, m_ui->Label10}) {
        label->setStyleSheet(link);
    }
    for (QLabel* label :
         {m_ui->labWebsite, m_ui->labMore, m_ui->Label8, m_ui->Label9, m_ui->Label10}) {
        label->installEventFilter(this);
        label->setFocusPolicy(Qt::TabFocus);
    }
    connect(m_ui->btnOK, &QPushButton::clicked, this, &TAboutForm::close);
}

TAboutForm::~TAboutForm() = default;

bool TAboutForm::eventFilter(QObject* watched, QEvent* event)
{
    const bool click = event->type() == QEvent::MouseButtonRelease &&
                       static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const bool key = event->type() == QEvent::KeyPress &&
                     (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space);
    if (!click && !key) {
        return false;
    }
    QString address;
    if (watched == m_ui->labWebsite) {
        address = m_ui->labWebsite->text(); // labWebsiteClick: the address it shows
    } else if (watched == m_ui->labMore) {
        address = QString::fromLatin1(ProgramInfo::WebSite);
    } else if (watched == m_ui->Label8) {
        address = QString::fromLatin1(ProgramInfo::RelatedProducts[0].address);
    } else if (watched == m_ui->Label9) {
        address = QString::fromLatin1(ProgramInfo::RelatedProducts[1].address);
    } else if (watched == m_ui->Label10) {
        address = QString::fromLatin1(ProgramInfo::RelatedProducts[2].address);
    }
    if (!address.isEmpty() && m_shell) {
        m_shell->Open(address);
    }
    return true;
}
