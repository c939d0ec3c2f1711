#pragma once

class QDialog;

// Every modal dialog and property sheet is run through this seam. The application executes it
// (QDialog::exec); tests install a driver that plays the user: it reads and sets the dialog's
// controls (found by object name) and accepts or rejects it.
class IDialogDriver {
public:
    virtual ~IDialogDriver() = default;
    // Returns QDialog::Accepted or QDialog::Rejected, as exec() would.
    virtual int Run(QDialog& dialog) = 0;
};

// Runs `dialog` modally, or hands it to the installed driver.
int ExecDialog(QDialog& dialog);
// Installs `driver` (not owned); nullptr restores real modal dialogs.
void SetDialogDriver(IDialogDriver* driver);
