#pragma once

#include "platform/ui/DialogSeam.h"

#include <QList>
#include <QString>

#include <functional>

class QDialog;

// Plays the user in the program's modal dialogs: each dialog that opens is handed to the next
// scripted step, which may set its controls (found by object name) and returns
// QDialog::Accepted or QDialog::Rejected. Every dialog run is recorded by object name.
// Installed for the lifetime of the object; a dialog beyond the script is rejected.
class CScriptedDialogs : public IDialogDriver {
public:
    using Step = std::function<int(QDialog&)>;

    CScriptedDialogs();
    ~CScriptedDialogs() override;

    void Script(QList<Step> steps) { m_steps = std::move(steps); }
    int Run(QDialog& dialog) override;
    const QList<QString>& Shown() const { return m_shown; }

private:
    QList<Step> m_steps;
    QList<QString> m_shown;
};

// Steps for the common cases.
int AcceptDialog(QDialog& dialog);
int RejectDialog(QDialog& dialog);
