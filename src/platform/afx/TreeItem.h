#pragma once

// One item of a tree control: its handle, the program's number and the
// indexes of its images in the tree's image list.

#include "AfxTypes.h"

#include <QTreeWidgetItem>

class CTreeItem : public QTreeWidgetItem
{
public:
    explicit CTreeItem(HTREEITEM hItem) : m_hItem(hItem) {}

    // Labels sort ignoring case, as TVI_SORT and SortChildren order them.
    static int CompareLabels(const QString& a, const QString& b);
    bool operator<(const QTreeWidgetItem& other) const override;

    const HTREEITEM m_hItem;
    DWORD_PTR m_dwData = 0;
    // Win32 items show image 0 until told otherwise.
    int m_nImage = 0;
    int m_nSelectedImage = 0;
};
