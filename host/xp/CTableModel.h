#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace XP {

class CTableRowStore;

// The Qt model of a toolkit table: a window on its row store in display
// order. Rows appended to the store are announced in one batch by publish(),
// so filling ten thousand rows costs the view one insertion, not ten thousand.
class CTableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Roles beside Qt's: the id of the row an index shows.
    enum { RowIdRole = Qt::UserRole + 1 };

    explicit CTableModel(CTableRowStore *store, QObject *parent = nullptr);
    ~CTableModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setHeaderText(int column, const QString &text);
    QString headerText(int column) const { return m_headers.value(column); }
    // Resizes the header list with the store's column count.
    void syncColumns();

    // Runs `change` on the store as one model reset.
    template<class F> void reset(F &&change)
    {
        beginResetModel();
        change();
        m_published = shownInStore();
        endResetModel();
    }

    // Shows what was appended to the store since the last publish (applying
    // filters and sort when they wait); false when there was nothing to show.
    bool publish();
    bool hasUnpublished() const;
    // The font of an emphasised column and its header.
    static QFont emphasisFont();

private:
    int shownInStore() const;

    CTableRowStore *m_store; // not owned: the table owns the store
    QStringList m_headers;
    int m_published = 0;
};

} // namespace XP
