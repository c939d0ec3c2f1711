#pragma once

#include "waypoints/MultipleWaypointChange.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// Controls shared by the one-waypoint and the several-waypoints sheets.

// A list of the names of a null-terminated table, each entry carrying its index.
void FillTableList(QComboBox& list, const char* const* table);
// Selects the entry carrying `id` (the first entry when none does).
void SelectById(QComboBox& list, int id);

// The icon list with a preview of the selected icon's bitmap.
class CIconPicker : public QWidget {
    Q_OBJECT
public:
    explicit CIconPicker(QWidget* parent = nullptr);
    void SetIcon(int icon);
    int Icon() const;
    QComboBox& List() { return *m_list; }

Q_SIGNALS:
    // The user chose an icon (not emitted by SetIcon).
    void IconChosen(int icon);

private:
    void ShowPreview();

    QComboBox* m_list;
    QLabel* m_preview;
};

// Active flag, approach distance in the small distance unit, sound file with "..." and message
// type. A distance left as shown keeps the stored value exactly.
class CActiveWaypointControls : public QWidget {
    Q_OBJECT
public:
    explicit CActiveWaypointControls(QWidget* parent = nullptr);
    void Load(const ActiveWaypointFields& fields);
    ActiveWaypointFields Fields() const;

private:
    void BrowseSoundFile();

    QCheckBox* m_active;
    QLineEdit* m_distance;
    QLineEdit* m_soundFile;
    QComboBox* m_messageType;
    ActiveWaypointFields m_loaded;
    QString m_shownDistance;
};
