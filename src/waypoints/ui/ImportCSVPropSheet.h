#pragma once

#include "waypoints/CsvImport.h"

#include <QDialog>

class CIconPicker;
class QCheckBox;
class QComboBox;
class QLineEdit;

// "CSV Settup": skip the first line, the order of the coordinates.
class CImportCSVPropPage1 : public QWidget {
    Q_OBJECT
public:
    explicit CImportCSVPropPage1(QWidget* parent = nullptr);
    void Store(CsvImportOptions& options) const;

private:
    QCheckBox* m_skipFirstLine;
    QComboBox* m_format;
};

// "Waypoint Setup": the alarm, its radius and message, the icon of every imported point.
class CImportCSVPropPage2 : public QWidget {
    Q_OBJECT
public:
    explicit CImportCSVPropPage2(QWidget* parent = nullptr);
    void Store(CsvImportOptions& options) const;

private:
    QCheckBox* m_alarmOn;
    QLineEdit* m_radius;
    QComboBox* m_messageType;
    CIconPicker* m_icon;
};

// The CSV import settings (caption string 207), starting from the defaults each time.
class CImportCSVPropSheet : public QDialog {
    Q_OBJECT
public:
    explicit CImportCSVPropSheet(QWidget* parent = nullptr);
    const CsvImportOptions& Options() const { return m_options; }
    void accept() override;

private:
    CImportCSVPropPage1* m_page1;
    CImportCSVPropPage2* m_page2;
    CsvImportOptions m_options;
};
