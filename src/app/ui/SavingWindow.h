#pragma once

#include <QWidget>

// The small "saving..." window shown over the frame while the track is written at exit. It
// is painted before the save starts and disappears with the object.
class CSavingWindow : public QWidget {
    Q_OBJECT
public:
    explicit CSavingWindow(QWidget* frame);
};
