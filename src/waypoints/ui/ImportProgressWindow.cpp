#include "waypoints/ui/ImportProgressWindow.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CImportProgressWindow::CImportProgressWindow(const QString& fileName, QWidget* parent)
    : QDialog(parent), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("ImportProgressWnd"));
    setWindowTitle(tr("Import"));
    setWindowModality(Qt::WindowModal);
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_bar->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { m_cancelled = true; });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QFileInfo(fileName).fileName(), this));
    layout->addWidget(m_bar);
    layout->addWidget(buttons);
}

bool CImportProgressWindow::Report(int done, int range)
{
    m_bar->setRange(0, range);
    m_bar->setValue(done);
    // Shown while the file is read; the summary that follows stands on its own.
    setVisible(done < range);
    Q_EMIT Stepped(done, range);
    QCoreApplication::processEvents();
    if (m_cancelled)
        hide();
    return !m_cancelled;
}
