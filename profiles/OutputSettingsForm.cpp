#include "OutputSettingsForm.h"

#include "ProfileGrid.h"
#include "SizeForm.h"
#include "app/Platform.h"
#include "ui_OutputSettings.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QScrollArea>
#include <QStyle>

namespace {

const QString VideoSize = QStringLiteral("Video Size");
const QString OriginalSize = QStringLiteral("Original Size");
constexpr int BarHeight = 18;

} // namespace

TopSettingForm::TopSettingForm(AppPaths paths, QWidget* main, QComboBox* mainList,
                               ProfileStore* store, UserDialogs* dialogs)
    : FixedDialog(main, false), m_ui(std::make_unique<Ui::TopSettingForm>()),
      m_paths(std::move(paths)), m_mainList(mainList), m_store(store), m_dialogs(dialogs)
{
    m_ui->setupUi(this);
    FixSize(391, 472);

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ScrollContent"));
    content->setAutoFillBackground(true);
    QPalette window = content->palette();
    window.setColor(QPalette::Window, window.color(QPalette::Base));
    content->setPalette(window);
    const char* names[3] = {"Video", "Audio", "Advanced"};
    for (ProfileGroup g : AllProfileGroups) {
        const int i = int(g);
        auto* bar = new QFrame(content);
        bar->setObjectName(QStringLiteral("pan") + names[i]);
        bar->setAutoFillBackground(true);
        bar->setStyleSheet(QStringLiteral("QFrame { background: #9fb0c6; }"));
        auto* caption = new QLabel(QStringLiteral("      ") + names[i], bar);
        caption->setStyleSheet(
            QStringLiteral("font-weight: bold; color: #1b2a3d; background: transparent;"));
        caption->setGeometry(0, 0, 340, BarHeight);
        auto* button = new QToolButton(bar);
        button->setObjectName(QStringLiteral("btn") + names[i]);
        button->setText(QStringLiteral("-"));
        button->setGeometry(5, 3, 12, 12);
        button->setStyleSheet(QStringLiteral("QToolButton { font-weight: bold; font-size: 12px; "
                                             "padding: 0; border: 1px solid #5d6f88;"
                                             " background: #eef2f7; color: #1b2a3d; }"));
        connect(button, &QToolButton::clicked, this, [this, g] { ToggleGroup(g); });
        auto* grid = new ProfileGrid(store, g, content);
        grid->setObjectName(QStringLiteral("vle") + names[i]);
        connect(grid, &ProfileGrid::pressed, this, [this] {
            for (ProfileGrid* other : m_grids) {
                other->viewport()->update();
            }
        });
        m_bars[i] = bar;
        m_buttons[i] = button;
        m_grids[i] = grid;
    }
    m_ui->ScrollBox1->setWidget(content);
    m_ui->ScrollBox1->setFrameShape(QFrame::StyledPanel);

    m_ui->cmbProfile->clear();
    for (int i = 0; i < mainList->count(); ++i) {
        m_ui->cmbProfile->addItem(mainList->itemText(i));
    }
    m_ui->cmbProfile->setCurrentIndex(-1);

    connect(m_ui->cmbProfile, &QComboBox::activated, this, [this] { cmbProfileChange(); });
    connect(m_ui->Button1, &QPushButton::clicked, this, &TopSettingForm::Button1Click);
    connect(m_ui->Button2, &QPushButton::clicked, this, &TopSettingForm::Button2Click);
    connect(m_ui->btnSaveAs, &QPushButton::clicked, this, &TopSettingForm::btnSaveAsClick);
    connect(store, &ProfileStore::gridHeightsChanged, this, &TopSettingForm::ApplyLoadedHeights);
    connect(store, &ProfileStore::rowChanged, this, [this](ProfileGroup g, int) {
        if (g == ProfileGroup::Video) {
            CheckCustomSize();
        }
    });
    ApplyLoadedHeights();
}

TopSettingForm::~TopSettingForm() = default;

QString TopSettingForm::ListPath() const
{
    return m_paths.ProfilePath(m_ui->cmbProfile->currentText());
}

void TopSettingForm::ApplyLoadedHeights()
{
    for (ProfileGroup g : AllProfileGroups) {
        m_heights[int(g)] = m_store->GridHeight(g);
        m_buttons[int(g)]->setText(m_buttons[int(g)]->text()); // captions are left alone
    }
    Relayout();
}

void TopSettingForm::Relayout()
{
    int total = 0;
    for (int h : m_heights) {
        total += BarHeight + h;
    }
    QScrollArea* box = m_ui->ScrollBox1;
    const int inner = box->width() - 2 * box->frameWidth();
    const int innerHeight = box->height() - 2 * box->frameWidth();
    // Room for the scroll bar only when the groups are taller than the box.
    const int width =
        total > innerHeight ? inner - box->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : inner;
    int y = 0;
    for (ProfileGroup g : AllProfileGroups) {
        const int i = int(g);
        m_bars[i]->setGeometry(0, y, width, BarHeight);
        y += BarHeight;
        m_grids[i]->setGeometry(0, y, width, m_heights[i]);
        y += m_heights[i];
    }
    m_ui->ScrollBox1->widget()->resize(width, y);
}

void TopSettingForm::ToggleGroup(ProfileGroup group)
{
    QToolButton* button = m_buttons[int(group)];
    if (button->text() != QStringLiteral("+")) {
        m_heights[int(group)] = 1;
        button->setText(QStringLiteral("+"));
    } else {
        const int rows = std::max(m_store->RowCount(group), 1);
        m_heights[int(group)] = rows * ProfileGrid::RowHeight + rows + 1;
        button->setText(QStringLiteral("-"));
    }
    Relayout();
}

void TopSettingForm::BitBtn1Click()
{
    show();
    raise();
    activateWindow();
    if (m_ui->cmbProfile->currentIndex() != m_mainList->currentIndex()) {
        m_ui->cmbProfile->setCurrentIndex(m_mainList->currentIndex());
        cmbProfileChange();
    }
}

void TopSettingForm::cmbProfileChange()
{
    if (!QFileInfo(ListPath()).isFile()) {
        return;
    }
    if (const ProfileError error = LoadProfile(ListPath(), *m_store)) {
        m_dialogs->Plain(this, *error);
    }
}

ProfileError TopSettingForm::SaveWithOriginalSize(const std::function<ProfileError()>& save)
{
    // A frame size is used until the profile is loaded again but never stored: the file keeps
    // the position of "Original Size", which also keeps its "Index" within the captions.
    const int row = m_store->FindRow(ProfileGroup::Video, VideoSize);
    if (row < 0) {
        return save();
    }
    const QString shown = m_store->Rows(ProfileGroup::Video)[row].text;
    m_store->SetRowText(ProfileGroup::Video, row, OriginalSize);
    const ProfileError error = save();
    m_store->SetRowText(ProfileGroup::Video, row, shown);
    return error;
}

void TopSettingForm::Button1Click()
{
    const QString path = ListPath();
    if (QFileInfo(path).isFile()) {
        if (const ProfileError error =
                SaveWithOriginalSize([&] { return SaveProfile(path, *m_store); })) {
            m_dialogs->Plain(this, *error);
            return; // stays open
        }
    }
    hide();
}

void TopSettingForm::Button2Click()
{
    hide();
    cmbProfileChange();
}

void TopSettingForm::btnSaveAsClick()
{
    const QString target = m_dialogs->SaveFile(
        this, QString(), QStringLiteral("Profiles (*.apf)|*.apf"), QStringLiteral("apf"));
    if (target.isEmpty()) {
        return;
    }
    const QString source = ListPath();
    // Unlike OK, a chosen size from the list is kept; a custom one cannot be (no caption).
    const ProfileRow* size = m_store->Row(ProfileGroup::Video, VideoSize);
    const bool custom = size && !size->pickList.isEmpty() &&
                        !size->pickList.contains(size->text, Qt::CaseInsensitive);
    const ProfileError error =
        custom ? SaveWithOriginalSize([&] { return SaveProfileAs(source, target, *m_store); })
               : SaveProfileAs(source, target, *m_store);
    if (error) {
        m_dialogs->Plain(this, *error);
    }
}

void TopSettingForm::CheckCustomSize()
{
    if (m_size && m_grids[0]->CurrentRowName() == VideoSize &&
        m_store->Text(ProfileGroup::Video, VideoSize) == QStringLiteral("Custom Size")) {
        m_size->show();
        m_size->raise();
    }
}

void TopSettingForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    hide();
}

void TopSettingForm::reject()
{
    Button2Click();
}
