#pragma once

// The "simple" combo box: an edit field above a list that is always shown.

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

class CSimpleComboWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CSimpleComboWidget(QWidget* pParent);

    QLineEdit* Edit() const { return m_pEdit; }
    QListWidget* List() const { return m_pList; }

protected:
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    QLineEdit* m_pEdit;
    QListWidget* m_pList;
};
