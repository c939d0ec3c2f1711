#pragma once

#include <QString>

#include <vector>

// The logic of the masked edit: a mask of placeholder characters ("9" digit, "A" letter, "N"
// letter or digit, "L" letter stored lower case, "U" letter stored upper case, "X" anything) and
// literals shown as they are ("/" makes the next mask character a literal), and the text typed
// into it, one character per position. Empty placeholders hold the prompt character.
class CPicMask {
public:
    explicit CPicMask(const QString& mask = {}, QChar prompt = QLatin1Char(' '));

    // Replaces the mask; every placeholder becomes empty.
    void SetMask(const QString& mask);
    int Length() const { return static_cast<int>(m_positions.size()); }
    bool IsPlaceholder(int position) const;
    // What the field shows: literals and the placeholders' characters.
    QString DisplayText() const;

    // Fills the placeholders in order from `text`; a character equal to the literal at the
    // current position is taken as that literal. Characters a placeholder refuses, and what
    // does not fit, are dropped.
    void SetText(const QString& text);
    // The placeholders' characters in order, empty ones as spaces.
    QString Value(bool trimTrailing = false) const;

    // The first placeholder at or after `position` (Length() when none), and the last one
    // before it (-1 when none): the cursor never rests on a literal. A position outside the
    // field counts as the field's nearer end.
    int NextPlaceholder(int position) const;
    int PreviousPlaceholder(int position) const;

    // What a placeholder stores for a typed character, or a null QChar when it refuses it.
    QChar Accept(int position, QChar typed) const;
    // Puts `typed` into the placeholder at or after `position`: overwriting it, or inserting it
    // (the later characters move one placeholder right; refused when the last one is not
    // empty). Returns the position after it, or -1 when refused.
    int Type(int position, QChar typed, bool overwrite);
    // Removes the placeholder character at `position` (a literal: nothing); the later ones move
    // one placeholder left and the last placeholder becomes empty.
    void Delete(int position);
    // Removes every placeholder character in [start, end).
    void DeleteRange(int start, int end);
    // Types `text` from `position` on; characters equal to the literal under the cursor move the
    // cursor past it. Stops at the first refused character. Returns the cursor after the paste.
    int Paste(int position, const QString& text, bool overwrite);

private:
    struct Position {
        QChar character; // the literal, or the placeholder kind
        bool placeholder = false;
    };

    void ClearPlaceholders();

    std::vector<Position> m_positions;
    QString m_text; // one character per position
    QChar m_prompt;
};
