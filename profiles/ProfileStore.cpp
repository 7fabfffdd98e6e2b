#include "ProfileStore.h"

std::optional<ProfileGroup> GroupOfSort(qint32 sort)
{
    switch (sort) {
    case 1:
        return ProfileGroup::Video;
    case 2:
        return ProfileGroup::Audio;
    case 3:
        return ProfileGroup::Advanced;
    default:
        return std::nullopt;
    }
}

ProfileStore::ProfileStore(QObject* parent) : QObject(parent)
{
    ResetToDesign();
}

void ProfileStore::ResetToDesign()
{
    static const std::array<QStringList, 3> designed{
        QStringList{"Video Codec", "Video Size", "Bit Rate", "Frame Rate", "Aspect",
                    "Disable Video"},
        QStringList{"Audio Codec", "Audio Bitrate", "Sample Rate", "Channels", "Volumn",
                    "Disable Audio"},
        QStringList{"Bit Exact Algorithms", "Deinterlace"},
    };
    for (ProfileGroup g : AllProfileGroups) {
        auto& rows = m_rows[Index(g)];
        rows.clear();
        for (const QString& name : designed[Index(g)]) {
            rows.append(ProfileRow{name, {}, false, {}});
        }
        emit groupReset(g);
    }
    UpdateGridHeights();
}

QString ProfileStore::RowName(ProfileGroup group, int row) const
{
    const auto& rows = Rows(group);
    return row >= 0 && row < rows.size() ? rows[row].name : QString();
}

int ProfileStore::FindRow(ProfileGroup group, const QString& name) const
{
    const auto& rows = Rows(group);
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

const ProfileRow* ProfileStore::Row(ProfileGroup group, const QString& name) const
{
    const int i = FindRow(group, name);
    return i < 0 ? nullptr : &Rows(group)[i];
}

QString ProfileStore::Text(ProfileGroup group, const QString& name) const
{
    const ProfileRow* row = Row(group, name);
    return row ? row->text : QString();
}

void ProfileStore::SetText(ProfileGroup group, const QString& name, const QString& text)
{
    const int i = FindRow(group, name);
    if (i < 0) {
        AppendRow(group, ProfileRow{name, text, false, {}});
        return;
    }
    SetRowText(group, i, text);
}

void ProfileStore::SetRowText(ProfileGroup group, int row, const QString& text)
{
    auto& rows = m_rows[Index(group)];
    if (row < 0 || row >= rows.size() || rows[row].text == text) {
        return;
    }
    rows[row].text = text;
    emit rowChanged(group, row);
}

void ProfileStore::ClearGroup(ProfileGroup group)
{
    auto& rows = m_rows[Index(group)];
    if (rows.isEmpty()) {
        return;
    }
    rows.clear();
    emit groupReset(group);
}

void ProfileStore::AppendRow(ProfileGroup group, const ProfileRow& row)
{
    auto& rows = m_rows[Index(group)];
    rows.append(row);
    emit rowAppended(group, int(rows.size()) - 1);
}

void ProfileStore::UpdateGridHeights()
{
    for (ProfileGroup g : AllProfileGroups) {
        m_heights[Index(g)] = std::max(RowCount(g), 1) * RowHeight;
    }
    emit gridHeightsChanged();
}
