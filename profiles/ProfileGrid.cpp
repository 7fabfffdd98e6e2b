#include "ProfileGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor Silver(192, 192, 192);
const QColor FocusBlue(49, 106, 197);

// Pick lists as a drop-down that cannot be typed into; the drawing rules of the grids.
class ProfileDelegate : public QStyledItemDelegate
{
public:
    explicit ProfileDelegate(ProfileGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        const ProfileRow& row = m_grid->Model()->Row(index.row());
        if (!row.pickList.isEmpty()) {
            auto* combo = new QComboBox(parent);
            combo->addItems(row.pickList);
            combo->setFrame(false);
            // A pick takes effect at once, not only when the editor closes.
            connect(combo, &QComboBox::activated, combo, [this, combo] {
                auto* self = const_cast<ProfileDelegate*>(this);
                emit self->commitData(combo);
            });
            return combo;
        }
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        Q_UNUSED(option);
        return edit;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        const QString text = index.data(Qt::EditRole).toString();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const int i = combo->findText(text, Qt::MatchFixedString);
            combo->setCurrentIndex(i);
            if (i < 0) {
                combo->setEditText(text);
            }
            return;
        }
        static_cast<QLineEdit*>(editor)->setText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            if (combo->currentIndex() >= 0) {
                model->setData(index, combo->currentText(), Qt::EditRole);
            }
            return;
        }
        model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QPalette& pal = option.palette;
        const bool current = m_grid->currentIndex().row() == index.row();
        const bool fixed = m_grid->Model()->IsFixed(index.row());
        QColor background;
        QColor text = Qt::black;
        if (index.column() == 0) {
            background = pal.color(QPalette::Button);
            if (current && m_grid->hasFocus()) {
                background = FocusBlue;
            } else if (current) {
                background = pal.color(QPalette::Base);
            }
        } else {
            background = pal.color(QPalette::Base); // no highlight in the value column
            if (fixed) {
                text = Silver;
            }
        }
        painter->fillRect(option.rect, background);
        painter->setPen(text);
        painter->drawText(option.rect.adjusted(4, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                          index.data(Qt::DisplayRole).toString());
    }

private:
    ProfileGrid* m_grid;
};

} // namespace

ProfileGroupModel::ProfileGroupModel(ProfileStore* store, ProfileGroup group, QObject* parent)
    : QAbstractTableModel(parent), m_store(store), m_group(group)
{
    connect(store, &ProfileStore::groupReset, this, [this](ProfileGroup g) {
        if (g == m_group) {
            beginResetModel();
            endResetModel();
        }
    });
    connect(store, &ProfileStore::rowAppended, this, [this](ProfileGroup g, int row) {
        if (g == m_group) {
            // The store has the row already: announce it after the fact.
            beginResetModel();
            endResetModel();
            Q_UNUSED(row);
        }
    });
    connect(store, &ProfileStore::rowChanged, this, [this](ProfileGroup g, int row) {
        if (g == m_group) {
            emit dataChanged(index(row, 0), index(row, 1));
        }
    });
}

int ProfileGroupModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_store->RowCount(m_group);
}

int ProfileGroupModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

bool ProfileGroupModel::IsFixed(int row) const
{
    const ProfileRow& r = Row(row);
    return r.readOnly && r.pickList.isEmpty();
}

QVariant ProfileGroupModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const ProfileRow& row = Row(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return index.column() == 0 ? row.name : row.text;
    }
    if (role == Qt::ForegroundRole && index.column() == 1 && IsFixed(index.row())) {
        return QColor(192, 192, 192);
    }
    return {};
}

bool ProfileGroupModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 1 || role != Qt::EditRole) {
        return false;
    }
    m_store->SetRowText(m_group, index.row(), value.toString());
    return true;
}

Qt::ItemFlags ProfileGroupModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Read-only forbids typing only: a pick list can still be used.
    if (index.column() == 1 && !IsFixed(index.row())) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

ProfileGrid::ProfileGrid(ProfileStore* store, ProfileGroup group, QWidget* parent)
    : QTableView(parent), m_model(new ProfileGroupModel(store, group, this))
{
    setModel(m_model);
    setItemDelegate(new ProfileDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight + 1);
    verticalHeader()->setMinimumSectionSize(RowHeight + 1);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    setColumnWidth(0, KeyWidth);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::CurrentChanged);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabKeyNavigation(false);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: #b8c4d3; background: #ffffff; }"));
}

QString ProfileGrid::CurrentRowName() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? m_model->Row(i.row()).name : QString();
}

void ProfileGrid::StepPickList(int row)
{
    const ProfileRow& r = m_model->Row(row);
    if (r.pickList.isEmpty()) {
        return;
    }
    int i = -1;
    for (int k = 0; k < r.pickList.size(); ++k) {
        if (r.pickList[k].compare(r.text, Qt::CaseInsensitive) == 0) {
            i = k;
            break;
        }
    }
    m_model->setData(m_model->index(row, 1), r.pickList[(i + 1) % r.pickList.size()], Qt::EditRole);
}

void ProfileGrid::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    emit pressed();
}

void ProfileGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex i = indexAt(event->position().toPoint());
    if (i.isValid() && i.column() == 1 && !m_model->Row(i.row()).pickList.isEmpty()) {
        closePersistentEditor(i);
        StepPickList(i.row());
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void ProfileGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void ProfileGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}
