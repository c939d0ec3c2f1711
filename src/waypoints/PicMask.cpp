#include "waypoints/PicMask.h"

#include <algorithm>

namespace {

bool IsPlaceholderKind(QChar c)
{
    return QStringLiteral("9ANLUX").contains(c);
}

bool IsAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

CPicMask::CPicMask(const QString& mask, QChar prompt) : m_prompt(prompt)
{
    SetMask(mask);
}

void CPicMask::SetMask(const QString& mask)
{
    m_positions.clear();
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask[i] == QLatin1Char('/') && i + 1 < mask.size()) {
            m_positions.push_back({mask[++i], false});
            continue;
        }
        m_positions.push_back({mask[i], IsPlaceholderKind(mask[i])});
    }
    ClearPlaceholders();
}

void CPicMask::ClearPlaceholders()
{
    m_text.clear();
    for (const Position& p : m_positions)
        m_text.append(p.placeholder ? m_prompt : p.character);
}

bool CPicMask::IsPlaceholder(int position) const
{
    return position >= 0 && position < Length() && m_positions[position].placeholder;
}

QString CPicMask::DisplayText() const
{
    return m_text;
}

void CPicMask::SetText(const QString& text)
{
    ClearPlaceholders();
    int position = 0;
    for (QChar c : text) {
        while (position < Length() && !IsPlaceholder(position) &&
               m_positions[position].character != c)
            ++position;
        if (position >= Length())
            return;
        if (!IsPlaceholder(position)) { // the text's own copy of this literal
            ++position;
            continue;
        }
        const QChar stored = Accept(position, c);
        if (!stored.isNull())
            m_text[position] = stored;
        ++position;
    }
}

QString CPicMask::Value(bool trimTrailing) const
{
    QString value;
    for (int i = 0; i < Length(); ++i)
        if (IsPlaceholder(i))
            value.append(m_text[i] == m_prompt ? QLatin1Char(' ') : m_text[i]);
    if (trimTrailing)
        while (value.endsWith(QLatin1Char(' ')))
            value.chop(1);
    return value;
}

int CPicMask::NextPlaceholder(int position) const
{
    int p = std::clamp(position, 0, Length());
    while (p < Length() && !IsPlaceholder(p))
        ++p;
    return p;
}

int CPicMask::PreviousPlaceholder(int position) const
{
    int p = std::clamp(position, 0, Length()) - 1;
    while (p >= 0 && !IsPlaceholder(p))
        --p;
    return p;
}

QChar CPicMask::Accept(int position, QChar typed) const
{
    if (!IsPlaceholder(position))
        return {};
    switch (m_positions[position].character.unicode()) {
    case '9':
        return IsAsciiDigit(typed) ? typed : QChar();
    case 'A':
        return IsAsciiLetter(typed) ? typed : QChar();
    case 'N':
        return IsAsciiLetter(typed) || IsAsciiDigit(typed) ? typed : QChar();
    case 'L':
        return IsAsciiLetter(typed) ? typed.toLower() : QChar();
    case 'U':
        return IsAsciiLetter(typed) ? typed.toUpper() : QChar();
    default: // 'X'
        return typed;
    }
}

int CPicMask::Type(int position, QChar typed, bool overwrite)
{
    const int at = NextPlaceholder(position);
    const QChar stored = Accept(at, typed);
    if (stored.isNull())
        return -1;
    if (!overwrite) {
        const int last = PreviousPlaceholder(Length());
        if (m_text[last] != m_prompt)
            return -1;
        // Move the later characters one placeholder right, from the end backwards.
        for (int to = last; to > at;) {
            const int from = PreviousPlaceholder(to);
            m_text[to] = m_text[from];
            to = from;
        }
    }
    m_text[at] = stored;
    return at + 1;
}

void CPicMask::Delete(int position)
{
    if (!IsPlaceholder(position))
        return;
    int to = position;
    for (int from = NextPlaceholder(to + 1); from < Length(); from = NextPlaceholder(from + 1)) {
        m_text[to] = m_text[from];
        to = from;
    }
    m_text[to] = m_prompt;
}

void CPicMask::DeleteRange(int start, int end)
{
    int count = 0;
    for (int i = std::max(start, 0); i < std::min(end, Length()); ++i)
        count += IsPlaceholder(i) ? 1 : 0;
    const int first = NextPlaceholder(start);
    for (int n = 0; n < count; ++n)
        Delete(first);
}

int CPicMask::Paste(int position, const QString& text, bool overwrite)
{
    // A position before the field reads as its start (it indexed before the positions).
    int cursor = std::clamp(position, 0, Length());
    for (QChar c : text) {
        if (cursor < Length() && !IsPlaceholder(cursor) && m_positions[cursor].character == c) {
            ++cursor;
            continue;
        }
        const int next = Type(cursor, c, overwrite);
        if (next < 0)
            break;
        cursor = next;
    }
    return cursor;
}
