#include "support/ScriptedDialogs.h"

#include <QDialog>

CScriptedDialogs::CScriptedDialogs()
{
    SetDialogDriver(this);
}

CScriptedDialogs::~CScriptedDialogs()
{
    SetDialogDriver(nullptr);
}

int CScriptedDialogs::Run(QDialog& dialog)
{
    m_shown.append(dialog.objectName());
    if (m_steps.isEmpty())
        return QDialog::Rejected;
    const Step step = m_steps.takeFirst();
    const int result = step(dialog);
    // The dialog's own accept/reject handlers run, as OK or Cancel would run them.
    if (result == QDialog::Accepted)
        dialog.accept();
    else
        dialog.reject();
    return dialog.result();
}

int AcceptDialog(QDialog&)
{
    return QDialog::Accepted;
}

int RejectDialog(QDialog&)
{
    return QDialog::Rejected;
}
