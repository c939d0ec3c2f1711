#pragma once

#include "waypoints/PicMask.h"

#include <QLineEdit>

// The masked edit control: a line edit whose text follows a CPicMask. Typing inserts into the
// placeholders (Insert toggles overwriting), the cursor skips literals, Backspace and Delete
// pull the later characters left, and cut, copy and paste go through the mask.
class CPicEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CPicEdit(QWidget* parent = nullptr);

    void SetMask(const QString& mask);
    // Fills the placeholders from `text` (see CPicMask::SetText).
    void SetMaskedText(const QString& text);
    // The placeholders' characters, empty ones as spaces.
    QString Value(bool trimTrailing = false) const { return m_mask.Value(trimTrailing); }
    bool IsOverwriting() const { return m_overwrite; }

    void CutThroughMask();
    void CopyThroughMask() const;
    void PasteThroughMask();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Show(int cursor);
    bool DeleteSelection();
    void TypeText(const QString& text);
    void MoveCursor(int position, bool select);

    CPicMask m_mask;
    bool m_overwrite = false;
};
