#include "platform/Prompts.h"

#include <cstdio>

namespace {
CNonInteractivePrompts g_defaultPrompts;
IPrompts* g_prompts = &g_defaultPrompts;
} // namespace

PromptAnswer CNonInteractivePrompts::Ask(const QString& text, const QString& caption,
                                         PromptButtons buttons, PromptIcon)
{
    if (caption.isEmpty())
        std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    else
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
        return PromptAnswer::No;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
    case PromptButtons::RetryCancel:
        break;
    }
    return PromptAnswer::Cancel;
}

QString CNonInteractivePrompts::AskFileName(const FileDialogRequest&)
{
    return {};
}

IPrompts& Prompts()
{
    return *g_prompts;
}

void SetPrompts(IPrompts* prompts)
{
    g_prompts = prompts ? prompts : &g_defaultPrompts;
}
