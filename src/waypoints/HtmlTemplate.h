#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <optional>

// Fills a page template: on every line that holds "<!--", each comment whose whole text is a
// placeholder name is replaced by its value, and every other comment is removed. Lines without
// a comment are copied as they are.

// The value of a placeholder name, or nothing when the name is not one.
using PlaceholderValue = std::function<std::optional<QByteArray>(QByteArrayView name)>;

// A filled line stops growing at this many bytes; the rest of it is dropped.
constexpr qsizetype kMaxPageLineBytes = 32766;

struct FilledTemplate {
    QByteArray text;
    int linesCut = 0; // lines that reached kMaxPageLineBytes (the application beeps)
};

FilledTemplate FillTemplate(QByteArrayView templateText, const PlaceholderValue& value);
