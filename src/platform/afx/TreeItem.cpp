#include "TreeItem.h"

int CTreeItem::CompareLabels(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive);
}

bool CTreeItem::operator<(const QTreeWidgetItem& other) const
{
    return CompareLabels(text(0), other.text(0)) < 0;
}
