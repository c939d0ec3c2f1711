#pragma once

#include <QImage>
#include <QStatusBar>

class QLabel;
class CIndicatorPane;

// The frame's status bar: connection, fix type, log size and the GPS indicator.
class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CStatusBar(QWidget* parent);

    void SetConnectionText(const QString& text);
    void SetFixTypeText(const QString& text);
    void SetLogSizeText(const QString& text);
    // Row of the indicator strip and whether the active (blink) image is shown.
    void SetIndicator(int row, bool active);
    QString ConnectionText() const;
    QString FixTypeText() const;
    QString LogSizeText() const;
    bool IndicatorActive() const;
    int IndicatorRow() const;

private:
    QLabel* m_connection;
    QLabel* m_fixType;
    QLabel* m_logSize;
    CIndicatorPane* m_indicator;
};
