#pragma once

// The profile editor's grids: each a two-column view (parameter, value) onto one group of the
// profile store, so that an edit changes the store at once.

#include "ProfileStore.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

class ProfileGroupModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    ProfileGroupModel(ProfileStore* store, ProfileGroup group, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    ProfileGroup Group() const { return m_group; }
    ProfileStore* Store() const { return m_store; }
    const ProfileRow& Row(int row) const { return m_store->Rows(m_group)[row]; }
    // A fixed parameter: read-only and without a pick list.
    bool IsFixed(int row) const;

private:
    ProfileStore* m_store;
    ProfileGroup m_group;
};

class ProfileGrid : public QTableView
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 17;
    static constexpr int KeyWidth = 160;

    ProfileGrid(ProfileStore* store, ProfileGroup group, QWidget* parent = nullptr);

    ProfileGroupModel* Model() const { return m_model; }
    // The name of the current row; empty when there is none.
    QString CurrentRowName() const;
    // A pick list's next caption (after the last comes the first), as a double-click gives it.
    void StepPickList(int row);

signals:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    ProfileGroupModel* m_model;
};
