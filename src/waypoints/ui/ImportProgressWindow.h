#pragma once

#include <QDialog>

class QProgressBar;

// The window shown while a file is imported: a bar that follows the importer's progress and a
// Cancel button. Report() is the importer's progress callback; it keeps the window responsive
// and says whether to go on.
class CImportProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit CImportProgressWindow(const QString& fileName, QWidget* parent = nullptr);

    // False once the user pressed Cancel.
    bool Report(int done, int range);
    bool WasCancelled() const { return m_cancelled; }

Q_SIGNALS:
    void Stepped(int done, int range);

private:
    QProgressBar* m_bar;
    bool m_cancelled = false;
};
