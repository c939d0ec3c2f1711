#include "views/ui/PanelTint.h"

#include "platform/ui/SystemColors.h"
#include "views/HLSColor.h"

QColor PanelTint(double lightness)
{
    const QColor caption = GetSysColor(SysColor::ActiveCaption);
    CHLSColor tint(caption.red(), caption.green(), caption.blue());
    tint.SetLightness(static_cast<float>(lightness));
    return QColor(tint.Red(), tint.Green(), tint.Blue());
}
