#pragma once

// A drop-down combo box that tells its window when the list opens and closes,
// with the extended user interface on request.

#include <QComboBox>

class CComboBoxWidget : public QComboBox
{
public:
    explicit CComboBoxWidget(QWidget* pParent) : QComboBox(pParent) {}

    void showPopup() override;
    void hidePopup() override;
    bool IsDropped() const { return m_bDropped; }
    void SetExtendedUI(bool bExtended) { m_bExtendedUI = bExtended; }
    bool IsExtendedUI() const { return m_bExtendedUI; }

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;

private:
    bool m_bDropped = false;
    bool m_bExtendedUI = false;
};
