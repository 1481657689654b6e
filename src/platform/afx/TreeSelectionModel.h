#pragma once

// The selection of a tree control. Whoever moves the current item (a click,
// a key, a search, the program), the move is offered first and may be
// refused before anything changes; the selection is always the current item.

#include <QItemSelectionModel>
#include <functional>

class CTreeSelectionModel : public QItemSelectionModel
{
    Q_OBJECT

public:
    typedef std::function<bool(const QModelIndex& from, const QModelIndex& to)> AFX_ALLOW_MOVE;
    typedef std::function<void(const QModelIndex& from, const QModelIndex& to)> AFX_MOVED;

    CTreeSelectionModel(QAbstractItemModel* pModel, QObject* pParent, AFX_ALLOW_MOVE fnAllow, AFX_MOVED fnMoved);

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;

private:
    AFX_ALLOW_MOVE m_fnAllow;
    AFX_MOVED m_fnMoved;
};
