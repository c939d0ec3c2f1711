#pragma once

#include "map/AltitudeProfile.h"
#include "platform/ui/BufferedView.h"

class QMenu;

// The altitude profile under the map: the newest altitudes as a filled area, newest at the
// right, with the shown maximum and minimum in the user's altitude unit.
class CAltitudeProfileWnd : public CBufferedView {
    Q_OBJECT
public:
    explicit CAltitudeProfileWnd(QWidget* parent);
    CAltitudeProfile& Profile() { return m_profile; }
    // Menu 169: clear, hide, map properties.
    QMenu* CreatePopupMenu(QWidget* parent);

Q_SIGNALS:
    void Command(int id);

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;
    void OnPopupMenu(QPoint point, QPoint global) override;

private:
    CAltitudeProfile m_profile;
    std::vector<QLine> m_lines;
};
