#include "platform/ui/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

QColor GetSysColor(SysColor which)
{
    const QPalette palette = QGuiApplication::palette();
    switch (which) {
    case SysColor::WindowText:
        return palette.color(QPalette::Active, QPalette::WindowText);
    case SysColor::Window:
        return palette.color(QPalette::Active, QPalette::Base);
    case SysColor::Highlight:
    case SysColor::ActiveCaption: // Qt has no caption colour; the selection colour stands in
        return palette.color(QPalette::Active, QPalette::Highlight);
    case SysColor::HighlightText:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case SysColor::GrayText:
        return palette.color(QPalette::Disabled, QPalette::Text);
    }
    return Qt::black;
}
