#pragma once

#include "platform/ui/DrawContext.h"
#include "platform/ui/SystemColors.h"

// What a view shows until its own drawing exists: its window name, centred.
inline void DrawPlaceholder(CDrawContext& dc, const GdiRect& client, const QString& name)
{
    dc.FillRect(client, GetSysColor(SysColor::Window));
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.SetTextColor(GetSysColor(SysColor::WindowText));
    dc.SelectFont(CreatePixelFont(16));
    dc.DrawText(name, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
