#pragma once

// A drop-down combo box that tells its window when the list opens and closes.

#include <QComboBox>

class CComboBoxWidget : public QComboBox
{
public:
    explicit CComboBoxWidget(QWidget* pParent) : QComboBox(pParent) {}

    void showPopup() override;
    void hidePopup() override;
    bool IsDropped() const { return m_bDropped; }

private:
    bool m_bDropped = false;
};
