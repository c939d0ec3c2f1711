#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <QString>

// Answers the program's questions from a script and records every question asked. Installed for
// the lifetime of the object.
class CScriptedPrompts : public IPrompts {
public:
    struct Question {
        QString text;
        QString caption;
        PromptButtons buttons;
        PromptIcon icon;
    };

    CScriptedPrompts();
    ~CScriptedPrompts() override;

    // Answers given in order; once they run out, `fallback` answers.
    void Script(QList<PromptAnswer> answers, PromptAnswer fallback = PromptAnswer::Ok);
    void ScriptFileNames(QList<QString> paths) { m_paths = std::move(paths); }

    PromptAnswer Ask(const QString& text, const QString& caption, PromptButtons buttons,
                     PromptIcon icon) override;
    QString AskFileName(const FileDialogRequest& request) override;
    void Beep() override { ++m_beeps; }

    const QList<Question>& Asked() const { return m_asked; }
    const QList<FileDialogRequest>& FileDialogs() const { return m_dialogs; }
    int Beeps() const { return m_beeps; }

private:
    QList<PromptAnswer> m_answers;
    PromptAnswer m_fallback = PromptAnswer::Ok;
    QList<QString> m_paths;
    QList<Question> m_asked;
    QList<FileDialogRequest> m_dialogs;
    int m_beeps = 0;
};
