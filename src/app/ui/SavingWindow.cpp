#include "app/ui/SavingWindow.h"

#include "platform/StringTable.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

CSavingWindow::CSavingWindow(QWidget* frame) : QWidget(frame, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SavingWindow"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(LoadString(278), this);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    setAutoFillBackground(true);
    if (frame == nullptr || !frame->isVisible())
        return;
    adjustSize();
    const QRect area = frame->geometry();
    move(area.center() - rect().center());
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
