#include "FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CFindBar::CFindBar(std::function<bool(const QString&)> fnFind, std::function<void()> fnClosed)
    : m_fnFind(std::move(fnFind)), m_fnClosed(std::move(fnClosed)), m_pEdit(new QLineEdit), m_pResult(new QLabel)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel("F&ind:");
    label->setBuddy(m_pEdit);
    auto* next = new QPushButton("&Next");
    auto* close = new QPushButton("Close");
    layout->addWidget(label);
    layout->addWidget(m_pEdit, 1);
    layout->addWidget(next);
    layout->addWidget(m_pResult);
    layout->addWidget(close);
    m_pEdit->setPlaceholderText("Text to find in the script");
    connect(m_pEdit, &QLineEdit::returnPressed, this, [this] { FindNext(); });
    connect(next, &QPushButton::clicked, this, [this] { FindNext(); });
    connect(close, &QPushButton::clicked, this,
            [this]
            {
                hide();
                m_fnClosed();
            });
    hide();
}

void CFindBar::Open(const QString& strText)
{
    if (!strText.isEmpty())
        m_pEdit->setText(strText);
    m_pResult->clear();
    show();
    m_pEdit->setFocus(Qt::ShortcutFocusReason);
    m_pEdit->selectAll();
}

QString CFindBar::Text() const
{
    return m_pEdit->text();
}

bool CFindBar::FindNext()
{
    bool bFound = !Text().isEmpty() && m_fnFind(Text());
    m_pResult->setText(bFound || Text().isEmpty() ? QString() : "Not found");
    return bFound;
}

void CFindBar::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() != Qt::Key_Escape)
        return QWidget::keyPressEvent(pEvent);
    hide();
    m_fnClosed();
}
