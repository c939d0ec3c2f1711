#include "waypoints/ui/PicEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

CPicEdit::CPicEdit(QWidget* parent) : QLineEdit(parent)
{
    setAcceptDrops(false);
    setDragEnabled(false);
}

void CPicEdit::SetMask(const QString& mask)
{
    m_mask.SetMask(mask);
    Show(m_mask.NextPlaceholder(0));
}

void CPicEdit::SetMaskedText(const QString& text)
{
    m_mask.SetText(text);
    Show(m_mask.NextPlaceholder(0));
}

void CPicEdit::Show(int cursor)
{
    setText(m_mask.DisplayText());
    setCursorPosition(std::min(cursor, m_mask.Length()));
}

void CPicEdit::MoveCursor(int position, bool select)
{
    const int clamped = std::clamp(position, 0, m_mask.Length());
    if (select)
        cursorForward(true, clamped - cursorPosition());
    else
        setCursorPosition(clamped);
}

bool CPicEdit::DeleteSelection()
{
    if (!hasSelectedText())
        return false;
    const int start = selectionStart();
    m_mask.DeleteRange(start, start + static_cast<int>(selectedText().size()));
    Show(m_mask.NextPlaceholder(start));
    return true;
}

void CPicEdit::TypeText(const QString& text)
{
    DeleteSelection();
    const int before = cursorPosition();
    const int after = m_mask.Paste(before, text, m_overwrite);
    if (after == before)
        QApplication::beep(); // refused
    Show(m_mask.NextPlaceholder(after));
}

void CPicEdit::CopyThroughMask() const
{
    if (hasSelectedText())
        QApplication::clipboard()->setText(selectedText());
}

void CPicEdit::CutThroughMask()
{
    CopyThroughMask();
    DeleteSelection();
}

void CPicEdit::PasteThroughMask()
{
    TypeText(QApplication::clipboard()->text());
}

void CPicEdit::keyPressEvent(QKeyEvent* event)
{
    const bool select = event->modifiers() & Qt::ShiftModifier;
    if (event->matches(QKeySequence::Copy)) {
        CopyThroughMask();
    } else if (event->matches(QKeySequence::Cut)) {
        CutThroughMask();
    } else if (event->matches(QKeySequence::Paste)) {
        PasteThroughMask();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        m_overwrite = !m_overwrite;
    } else if (event->key() == Qt::Key_Left) {
        const int previous = m_mask.PreviousPlaceholder(cursorPosition());
        MoveCursor(previous < 0 ? cursorPosition() : previous, select);
    } else if (event->key() == Qt::Key_Right) {
        MoveCursor(m_mask.NextPlaceholder(m_mask.NextPlaceholder(cursorPosition()) + 1), select);
    } else if (event->key() == Qt::Key_Home) {
        MoveCursor(m_mask.NextPlaceholder(0), select);
    } else if (event->key() == Qt::Key_End) {
        MoveCursor(m_mask.Length(), select);
    } else if (event->key() == Qt::Key_Backspace) {
        if (!DeleteSelection()) {
            const int previous = m_mask.PreviousPlaceholder(cursorPosition());
            if (previous >= 0) {
                m_mask.Delete(previous);
                Show(previous);
            }
        }
    } else if (event->key() == Qt::Key_Delete) {
        if (!DeleteSelection()) {
            const int at = m_mask.NextPlaceholder(cursorPosition());
            m_mask.Delete(at);
            Show(at);
        }
    } else if (!event->text().isEmpty() && event->text()[0].isPrint()) {
        TypeText(event->text());
    } else {
        event->ignore(); // Return, Escape and the rest go on to the dialog
    }
}

void CPicEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton)
        return; // the selection paste of X11 would bypass the mask
    QLineEdit::mouseReleaseEvent(event);
    if (!hasSelectedText())
        setCursorPosition(m_mask.NextPlaceholder(cursorPosition()));
}

void CPicEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(tr("Cu&t"), this, &CPicEdit::CutThroughMask)->setEnabled(hasSelectedText());
    menu.addAction(tr("&Copy"), this, &CPicEdit::CopyThroughMask)->setEnabled(hasSelectedText());
    menu.addAction(tr("&Paste"), this, &CPicEdit::PasteThroughMask);
    menu.exec(event->globalPos());
}
