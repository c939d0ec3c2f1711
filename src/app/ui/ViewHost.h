#pragma once

#include "app/ui/ViewContext.h"

#include <QWidget>

class CAnalysisWnd;
class CDigitalPanelWnd;
class CGaugePanelWnd;
class CGPSStatusWnd;
class CMapWnd;
class CViewTabCtrl;

// The child of the main frame that holds the five views behind the tab control and hands the
// GPS updates on to them in their order.
class CViewHost : public QWidget {
    Q_OBJECT
public:
    enum Tab { TabGps, TabPanel, TabTrip, TabMap, TabAnalysis, TabCount };

    CViewHost(ViewContext& context, QWidget* parent);

    CViewTabCtrl& Tabs() { return *m_tabs; }
    CGPSStatusWnd& StatusView() { return *m_status; }
    CGaugePanelWnd& GaugePanel() { return *m_gaugePanel; }
    CMapWnd& MapWindow() { return *m_map; }
    CDigitalPanelWnd& DigitalPanel() { return *m_digitalPanel; }
    CAnalysisWnd& Analysis() { return *m_analysis; }
    // The view of tab `tab` (in tab order).
    QWidget* TabWindow(int tab) const;

    void SelectTab(int tab);
    // Right: the next tab, Left: the previous one, both wrapping.
    void StepTab(int step);
    // Command 32869: tabs shown or hidden, stored in "Window Tabs Enabled".
    void ToggleTabs();
    bool TabsVisible() const;
    // Snapshots and tests: one run of every view's periodic timers.
    void RunViewTimersOnce();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnGpsGGA();
    void OnGpsRMC();

    ViewContext& m_context;
    CGPSStatusWnd* m_status;
    CGaugePanelWnd* m_gaugePanel;
    CMapWnd* m_map;
    CDigitalPanelWnd* m_digitalPanel;
    CAnalysisWnd* m_analysis;
    CViewTabCtrl* m_tabs;
};
