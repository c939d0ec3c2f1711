#include "support/ScriptedPrompts.h"

CScriptedPrompts::CScriptedPrompts()
{
    SetPrompts(this);
}

CScriptedPrompts::~CScriptedPrompts()
{
    SetPrompts(nullptr);
}

void CScriptedPrompts::Script(QList<PromptAnswer> answers, PromptAnswer fallback)
{
    m_answers = std::move(answers);
    m_fallback = fallback;
}

PromptAnswer CScriptedPrompts::Ask(const QString& text, const QString& caption,
                                   PromptButtons buttons, PromptIcon icon)
{
    m_asked.append({text, caption, buttons, icon});
    return m_answers.isEmpty() ? m_fallback : m_answers.takeFirst();
}

QString CScriptedPrompts::AskFileName(const FileDialogRequest& request)
{
    m_dialogs.append(request);
    return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
}
