#pragma once

#include "map/MapSettings.h"

#include <QDialog>

class CPositionProcessor;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// The map settings sheet: "Map", "Averaging" and "Filters" pages over one settings record.
// OK checks every page; a refused entry keeps the sheet open on its page and changes nothing.
class CMapSettingsPropSheet : public QDialog {
    Q_OBJECT
public:
    CMapSettingsPropSheet(const MapSettings& settings, QWidget* parent);
    const MapSettings& Settings() const { return m_settings; }
    void accept() override;

private:
    QWidget* BuildMapPage();
    QWidget* BuildAveragingPage();
    QWidget* BuildFiltersPage();
    bool Refuse(int page, const QString& text);

    MapSettings m_settings;
    QTabWidget* m_tabs;
    QRadioButton* m_northUp;
    QRadioButton* m_courseUp;
    QLineEdit* m_arrival;
    QCheckBox* m_viewNavigation;
    QCheckBox* m_viewAltitude;
    QCheckBox* m_largeWaypoints;
    QCheckBox* m_largePosition;
    QComboBox* m_trackColour;
    QSpinBox* m_trackWidth;
    QCheckBox* m_limitAveraging;
    QLineEdit* m_hdop;
    QCheckBox* m_filterOn;
    QLineEdit* m_filterDistance;
    QRadioButton* m_gpsCourse;
    QRadioButton* m_computedCourse;
    QLineEdit* m_courseDistance;
};

// Runs the sheet on the live settings; on OK stores and applies them (the per-fix ones through
// the processor). True when the user confirmed.
bool RunMapSettingsSheet(CPositionProcessor& processor, QWidget* parent);
