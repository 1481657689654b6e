#include "UiDriver.h"

#include "afx/ComboBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWidget>

#include "afx/SimpleComboWidget.h"

namespace ui
{
namespace
{
QWidget* FocusTarget(CWnd& wnd)
{
    QWidget* widget = wnd.GetWidget();
    return widget && widget->focusProxy() ? widget->focusProxy() : widget;
}

// The innermost widget at a point of the control, the point moved into it.
QWidget* WidgetAt(CWnd& control, QPoint& pt)
{
    QWidget* widget = control.GetWidget();
    QWidget* child = widget->childAt(pt);
    if (!child)
        return widget;
    pt = child->mapFrom(widget, pt);
    return child;
}
} // namespace

void ShowAndActivate(CWnd& wnd)
{
    QWidget* top = wnd.GetWidget()->window();
    top->show();
    QApplication::setActiveWindow(top);
    top->activateWindow();
    ProcessEvents();
}

void Type(CWnd& control, const std::string& text)
{
    QWidget* target = FocusTarget(control);
    target->setFocus(Qt::MouseFocusReason);
    if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->lineEdit())
        target = combo->lineEdit();
    QTest::keyClicks(target, QString::fromStdString(text));
}

void ReplaceText(CWnd& edit, const std::string& text)
{
    QWidget* target = FocusTarget(edit);
    target->setFocus(Qt::MouseFocusReason);
    if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->lineEdit())
        target = combo->lineEdit();
    if (auto* line = qobject_cast<QLineEdit*>(target))
        line->selectAll();
    QTest::keyClicks(target, QString::fromStdString(text));
}

void Click(CWnd& control)
{
    QWidget* widget = control.GetWidget();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->click();
    else
        QTest::mouseClick(widget, Qt::LeftButton);
}

void ClickAt(CWnd& control, int x, int y, Qt::MouseButton button)
{
    QPoint pos(x, y);
    QWidget* widget = WidgetAt(control, pos);
    QTest::mouseClick(widget, button, Qt::NoModifier, pos);
}

void DoubleClickAt(CWnd& control, int x, int y)
{
    QPoint pos(x, y);
    QWidget* widget = WidgetAt(control, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, pos);
}

void RightClick(CWnd& control, int x, int y)
{
    QPoint pos(x, y);
    QWidget* widget = WidgetAt(control, pos);
    QTest::mousePress(widget, Qt::RightButton, Qt::NoModifier, pos);
    QTest::mouseRelease(widget, Qt::RightButton, Qt::NoModifier, pos);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
}

void PressKey(CWnd& target, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(FocusTarget(target), key, modifiers);
}

void PressKeyOnFocus(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus)
        QTest::keyClick(focus, key, modifiers);
}

void ChooseComboItem(CComboBox& combo, int nIndex)
{
    QWidget* widget = combo.GetWidget();
    if (auto* box = qobject_cast<QComboBox*>(widget))
    {
        box->setCurrentIndex(nIndex);
        emit box->activated(nIndex);
    }
    else if (auto* simple = qobject_cast<CSimpleComboWidget*>(widget))
    {
        simple->List()->setCurrentRow(nIndex);
        emit simple->List()->itemClicked(simple->List()->item(nIndex));
    }
}

void ProcessEvents()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

bool SavePng(CWnd& wnd, const std::string& path)
{
    QWidget* widget = wnd.GetWidget();
    return widget && widget->grab().save(QString::fromStdString(path), "PNG");
}
} // namespace ui
