#pragma once

#include <QString>

// Every modal question the program asks goes through this seam: the application shows real
// message boxes and file dialogs, the command-line tool answers on the terminal, tests script
// the answers and check the exact texts.

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };
enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString caption;
    QString filter; // Qt filter syntax: "Waypoint files (*.wpt);;All files (*)"
    QString defaultSuffix;
    QString startPath;
    bool confirmOverwrite = true;
};

class IPrompts {
public:
    virtual ~IPrompts() = default;
    virtual PromptAnswer Ask(const QString& text, const QString& caption, PromptButtons buttons,
                             PromptIcon icon) = 0;
    // The chosen path, or an empty string when the user cancelled.
    virtual QString AskFileName(const FileDialogRequest& request) = 0;
    // A notice without words (an old file format read, a page line cut): the desktop's beep.
    virtual void Beep() {}
};

// Without a user to ask: prints each message on standard error and gives the cautious answer
// (Ok for a notice, otherwise No or Cancel); file dialogs are cancelled.
class CNonInteractivePrompts : public IPrompts {
public:
    PromptAnswer Ask(const QString& text, const QString& caption, PromptButtons buttons,
                     PromptIcon icon) override;
    QString AskFileName(const FileDialogRequest& request) override;
};

// The prompts in force; CNonInteractivePrompts until something else is installed.
IPrompts& Prompts();
// Installs `prompts` (not owned); nullptr restores the non-interactive default.
void SetPrompts(IPrompts* prompts);
