#include "platform/ui/DialogSeam.h"

#include <QDialog>

namespace {
IDialogDriver* g_driver = nullptr;
}

int ExecDialog(QDialog& dialog)
{
    if (g_driver != nullptr)
        return g_driver->Run(dialog);
    return dialog.exec();
}

void SetDialogDriver(IDialogDriver* driver)
{
    g_driver = driver;
}
