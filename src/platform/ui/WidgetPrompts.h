#pragma once

#include "platform/Prompts.h"
#include "platform/UrlOpener.h"

// The window's prompts: real message boxes and file dialogs over the active window.
class CWidgetPrompts : public IPrompts {
public:
    PromptAnswer Ask(const QString& text, const QString& caption, PromptButtons buttons,
                     PromptIcon icon) override;
    QString AskFileName(const FileDialogRequest& request) override;
    void Beep() override;
};

// Pages and files open in the desktop's browser or viewer.
class CDesktopUrlOpener : public IUrlOpener {
public:
    bool Open(const QUrl& url) override;
};
