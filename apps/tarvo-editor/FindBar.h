#pragma once

// The bar under the script text that finds a text: Enter finds the next
// place, Escape closes the bar and gives the focus back to the text.

#include <QWidget>
#include <functional>

class QLineEdit;
class QLabel;

class CFindBar : public QWidget
{
public:
    // fnFind looks for the text and answers whether it was found; fnClosed
    // gives the focus back.
    CFindBar(std::function<bool(const QString&)> fnFind, std::function<void()> fnClosed);

    // Shows the bar with the text chosen in its field, ready to type over.
    void Open(const QString& strText);
    QString Text() const;
    // Finds the next place of the text in the field; false when there is none.
    bool FindNext();

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    std::function<bool(const QString&)> m_fnFind;
    std::function<void()> m_fnClosed;
    QLineEdit* m_pEdit;
    QLabel* m_pResult;
};
