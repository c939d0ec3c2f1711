#include "app/ui/Snapshot.h"

#include "app/SnapshotOptions.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ViewHost.h"
#include "app/ui/ViewTabCtrl.h"
#include "platform/Clock.h"
#include "platform/ui/ScreenMetrics.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>

namespace {

constexpr qsizetype kChunkBytes = 128; // what the serial link hands over at a time

int Fail(const QString& message)
{
    std::fprintf(stderr, "wendrift: %s\n", qUtf8Printable(message));
    return 2;
}

// Delivers what the parser, the frame and the view host posted, as the event loop would.
void DeliverPosted()
{
    for (int hop = 0; hop < 4; ++hop)
        QCoreApplication::sendPostedEvents();
}

void Feed(CMainFrame& frame, const QByteArray& bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += kChunkBytes) {
        const qsizetype count = std::min(kChunkBytes, bytes.size() - at);
        frame.Parser().ProcessBytes(reinterpret_cast<const uint8_t*>(bytes.constData() + at),
                                    static_cast<size_t>(count));
        DeliverPosted();
    }
}

bool PressKey(CViewHost& host, const QString& name)
{
    const QKeySequence sequence = QKeySequence::fromString(name);
    // Only names Qt reads back as themselves ("Up", "F1", "Return"), not any text that parses.
    if (sequence.count() != 1 || sequence.toString().compare(name, Qt::CaseInsensitive) != 0)
        return false;
    const QKeyCombination key = sequence[0];
    QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers());
    QCoreApplication::sendEvent(&host, &press);
    QKeyEvent release(QEvent::KeyRelease, key.key(), key.keyboardModifiers());
    QCoreApplication::sendEvent(&host, &release);
    DeliverPosted();
    return true;
}

void Tap(QWidget& view, QPoint point)
{
    QWidget* target = view.childAt(point);
    if (target == nullptr)
        target = &view;
    const QPointF local = target->mapFrom(&view, point);
    const QPointF global = target->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
    DeliverPosted();
}

// Resizes the frame so that the shown view's client area is exactly `size`.
void SizeView(CMainFrame& frame, QWidget& view, QSize size)
{
    frame.resize(size + QSize(200, 200));
    QCoreApplication::processEvents();
    for (int attempt = 0; attempt < 3 && view.size() != size; ++attempt) {
        frame.resize(frame.size() + size - view.size());
        QCoreApplication::processEvents();
    }
}

} // namespace

int RunSnapshot(const SnapshotOptions& options)
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    ScreenMetrics::PinDpi(options.dpi);
    if (options.now)
        Clock::Pin(*options.now);

    QByteArray log;
    if (!options.feedPath.isEmpty()) {
        QFile file(options.feedPath);
        if (!file.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("cannot read the log %1: %2")
                            .arg(options.feedPath, file.errorString()));
        log = file.readAll();
    }

    CMainFrame::Options frameOptions;
    frameOptions.snapshot = true;
    CMainFrame frame(frameOptions);
    frame.show();
    DeliverPosted();
    Feed(frame, log);

    CViewHost& host = frame.ViewHost();
    host.SelectTab(options.tab >= 0 ? options.tab : CViewHost::TabGps);
    QWidget* view = host.TabWindow(host.Tabs().CurrentPage());
    SizeView(frame, *view, options.size);
    if (view->size() != options.size)
        return Fail(QStringLiteral("the view cannot be given the size %1x%2")
                        .arg(options.size.width())
                        .arg(options.size.height()));
    host.RunViewTimersOnce();
    DeliverPosted();
    for (const QString& key : options.keys) {
        if (!PressKey(host, key))
            return Fail(QStringLiteral("unknown key name '%1'").arg(key));
    }
    for (const QPoint& tap : options.taps)
        Tap(*host.TabWindow(host.Tabs().CurrentPage()), tap);
    frame.UpdatePanes();
    QCoreApplication::processEvents();

    view = host.TabWindow(host.Tabs().CurrentPage());
    if (!view->grab().toImage().save(options.output, "PNG"))
        return Fail(QStringLiteral("cannot write %1").arg(options.output));
    if (!options.windowOutput.isEmpty() &&
        !frame.grab().toImage().save(options.windowOutput, "PNG"))
        return Fail(QStringLiteral("cannot write %1").arg(options.windowOutput));
    return 0;
}
