#include "TreeSelectionModel.h"

CTreeSelectionModel::CTreeSelectionModel(QAbstractItemModel* pModel, QObject* pParent, AFX_ALLOW_MOVE fnAllow,
                                         AFX_MOVED fnMoved)
    : QItemSelectionModel(pModel, pParent), m_fnAllow(std::move(fnAllow)), m_fnMoved(std::move(fnMoved))
{
}

void CTreeSelectionModel::setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags)
{
    // Persistent: whoever is asked may change the tree.
    QPersistentModelIndex from(currentIndex());
    QPersistentModelIndex to(index);
    bool bMoves = to != from;
    if (bMoves && (!m_fnAllow(from, to) || (index.isValid() && !to.isValid())))
        return;
    QItemSelectionModel::setCurrentIndex(to, QItemSelectionModel::ClearAndSelect);
    if (bMoves)
        m_fnMoved(from, to);
}
