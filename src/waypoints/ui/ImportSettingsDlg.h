#pragma once

#include <QDialog>

class QComboBox;

// The "Import Waypoint Settings" dialog: what an import does with a waypoint whose name the
// database already holds.
class CImportSettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CImportSettingsDlg(QWidget* parent = nullptr);
    // Stores the choice as "Waypoint Inport Mode".
    void accept() override;

private:
    QComboBox* m_mode;
};

void RunImportSettingsDialog(QWidget* parent);
