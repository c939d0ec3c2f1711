#include "app/ui/StatusBar.h"

#include "app/CommandIds.h"
#include "app/ui/IndicatorStrip.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/ScreenMetrics.h"

#include <QLabel>
#include <QPainter>

// The indicator: one square image of the strip, centred in its pane, magenta transparent.
class CIndicatorPane : public QWidget {
public:
    explicit CIndicatorPane(QWidget* parent) : QWidget(parent) {}

    void Set(int row, bool active)
    {
        if (row == m_row && active == m_active)
            return;
        m_row = row;
        m_active = active;
        update();
    }
    int Row() const { return m_row; }
    bool Active() const { return m_active; }

    QSize sizeHint() const override
    {
        const int size = ImageSize();
        return QSize(size + 8, size);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const int size = ImageSize();
        if (m_keyedStrip.height() != size * 4)
            m_keyedStrip = MakeColorKeyed(MakeIndicatorStrip(size));
        QPainter painter(this);
        painter.drawImage(QPoint((width() - size) / 2, (height() - size) / 2), m_keyedStrip,
                          QRect((m_active ? 1 : 0) * size, m_row * size, size, size));
    }

private:
    int ImageSize() const { return ScreenMetrics::IsHighResolution(this) ? 32 : 16; }

    QImage m_keyedStrip;
    int m_row = 0;
    bool m_active = false;
};

CStatusBar::CStatusBar(QWidget* parent)
    : QStatusBar(parent), m_connection(new QLabel(this)), m_fixType(new QLabel(this)),
      m_logSize(new QLabel(this)), m_indicator(new CIndicatorPane(this))
{
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(false);
    m_connection->setObjectName(QString::number(ID_PANE_CONNECTION));
    m_fixType->setObjectName(QString::number(ID_PANE_FIX_TYPE));
    m_logSize->setObjectName(QString::number(ID_PANE_LOG_SIZE));
    m_indicator->setObjectName(QString::number(ID_PANE_INDICATOR));
    // Fixed panes are as wide as their placeholder texts.
    m_fixType->setMinimumWidth(m_fixType->fontMetrics().horizontalAdvance(QStringLiteral("3D")) +
                               8);
    m_logSize->setMinimumWidth(
        m_logSize->fontMetrics().horizontalAdvance(QStringLiteral("Log:00.00M")) + 8);
    // The connection text may be cut on a narrow screen rather than widen the window.
    m_connection->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_fixType->setAlignment(Qt::AlignCenter);
    m_logSize->setAlignment(Qt::AlignCenter);
    addWidget(m_connection, 1);
    addPermanentWidget(m_fixType);
    addPermanentWidget(m_logSize);
    addPermanentWidget(m_indicator);
}

void CStatusBar::SetConnectionText(const QString& text)
{
    m_connection->setText(text);
}

void CStatusBar::SetFixTypeText(const QString& text)
{
    m_fixType->setText(text);
}

void CStatusBar::SetLogSizeText(const QString& text)
{
    m_logSize->setText(text);
}

void CStatusBar::SetIndicator(int row, bool active)
{
    m_indicator->Set(row, active);
}

QString CStatusBar::ConnectionText() const
{
    return m_connection->text();
}

QString CStatusBar::FixTypeText() const
{
    return m_fixType->text();
}

QString CStatusBar::LogSizeText() const
{
    return m_logSize->text();
}

bool CStatusBar::IndicatorActive() const
{
    return m_indicator->Active();
}

int CStatusBar::IndicatorRow() const
{
    return m_indicator->Row();
}
