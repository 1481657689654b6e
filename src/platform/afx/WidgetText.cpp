#include "WidgetText.h"

#include "SimpleComboWidget.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace
{
QString ToQ(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}
std::string FromQ(const QString& s)
{
    return s.toUtf8().toStdString();
}
} // namespace

std::string AfxGetWidgetText(const QWidget* pWidget)
{
    if (!pWidget)
        return {};
    if (auto* edit = qobject_cast<const QLineEdit*>(pWidget))
        return FromQ(edit->text());
    if (auto* text = qobject_cast<const QPlainTextEdit*>(pWidget))
        return FromQ(text->toPlainText().replace('\n', "\r\n"));
    if (auto* button = qobject_cast<const QAbstractButton*>(pWidget))
        return FromQ(button->text());
    if (auto* label = qobject_cast<const QLabel*>(pWidget))
        return FromQ(label->text());
    if (auto* group = qobject_cast<const QGroupBox*>(pWidget))
        return FromQ(group->title());
    if (auto* combo = qobject_cast<const QComboBox*>(pWidget))
        return FromQ(combo->currentText());
    if (auto* simple = qobject_cast<const CSimpleComboWidget*>(pWidget))
        return FromQ(simple->Edit()->text());
    if (pWidget->isWindow())
        return FromQ(pWidget->windowTitle());
    return FromQ(pWidget->property("afxText").toString());
}

void AfxSetWidgetText(QWidget* pWidget, const std::string& strText)
{
    if (!pWidget)
        return;
    QString text = ToQ(strText);
    if (auto* edit = qobject_cast<QLineEdit*>(pWidget))
        edit->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(pWidget))
        plain->setPlainText(text.replace("\r\n", "\n"));
    else if (auto* button = qobject_cast<QAbstractButton*>(pWidget))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(pWidget))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(pWidget))
        group->setTitle(text);
    else if (auto* combo = qobject_cast<QComboBox*>(pWidget))
    {
        if (combo->isEditable())
            combo->setEditText(text);
    }
    else if (auto* simple = qobject_cast<CSimpleComboWidget*>(pWidget))
        simple->Edit()->setText(text);
    else if (pWidget->isWindow())
        pWidget->setWindowTitle(text);
    else
        pWidget->setProperty("afxText", text);
}
