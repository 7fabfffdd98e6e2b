#pragma once

// The current value of every parameter of the profile loaded last, in three ordered groups.
// Every Start reads it, whether the profile editor is open or not; the editor's grids are
// views onto it.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

enum class ProfileGroup
{
    Video = 0,
    Audio = 1,
    Advanced = 2
};

inline constexpr std::array<ProfileGroup, 3> AllProfileGroups{
    ProfileGroup::Video, ProfileGroup::Audio, ProfileGroup::Advanced};

// "Sort" 1, 2, 3 name the Video, Audio and Advanced groups; any other value names none, and
// such a parameter is left out by every reader of a profile.
std::optional<ProfileGroup> GroupOfSort(qint32 sort);

struct ProfileRow
{
    QString name;          // the parameter's section name
    QString text;          // the shown value
    bool readOnly = false; // no typing (a pick list can still be used)
    QStringList pickList;  // captions offered; empty for a plain row

    bool operator==(const ProfileRow&) const = default;
};

class ProfileStore : public QObject
{
    Q_OBJECT
public:
    // Grid height per row, and the height of a grid without rows (one blank line).
    static constexpr int RowHeight = 18;

    explicit ProfileStore(QObject* parent = nullptr);

    // The rows as designed, before any profile is loaded.
    void ResetToDesign();

    const QList<ProfileRow>& Rows(ProfileGroup group) const { return m_rows[Index(group)]; }
    int RowCount(ProfileGroup group) const { return int(Rows(group).size()); }
    QString RowName(ProfileGroup group, int row) const;

    // First row of that name without regard to case; -1 when there is none.
    int FindRow(ProfileGroup group, const QString& name) const;
    const ProfileRow* Row(ProfileGroup group, const QString& name) const;
    // The shown text of the named row; empty when the group has no such row.
    QString Text(ProfileGroup group, const QString& name) const;
    // Sets the named row's text; a row that is missing is appended (not read-only, no list).
    void SetText(ProfileGroup group, const QString& name, const QString& text);
    void SetRowText(ProfileGroup group, int row, const QString& text);

    void ClearGroup(ProfileGroup group);
    void AppendRow(ProfileGroup group, const ProfileRow& row);

    // "." + "Type" of the profile last loaded; empty until then.
    const QString& OutputExt() const { return m_outputExt; }
    void SetOutputExt(const QString& ext) { m_outputExt = ext; }

    // The grid heights the last complete load set: rows x RowHeight, one row when empty.
    int GridHeight(ProfileGroup group) const { return m_heights[Index(group)]; }
    void UpdateGridHeights();

signals:
    void groupReset(ProfileGroup group);
    void rowAppended(ProfileGroup group, int row);
    void rowChanged(ProfileGroup group, int row);
    void gridHeightsChanged();

private:
    static int Index(ProfileGroup group) { return int(group); }

    std::array<QList<ProfileRow>, 3> m_rows;
    std::array<int, 3> m_heights{RowHeight, RowHeight, RowHeight};
    QString m_outputExt;
};
