#include "FileDialogScript.h"

namespace {
FileDialogScript* g_script = nullptr;
}

FileDialogScript::FileDialogScript()
{
    m_previousScript = g_script;
    g_script = this;
    m_previous = AfxSetFileDialogHook(&FileDialogScript::Hook);
}

FileDialogScript::~FileDialogScript()
{
    AfxSetFileDialogHook(m_previous);
    g_script = m_previousScript;
}

INT_PTR CALLBACK FileDialogScript::Hook(OPENFILENAME* ofn, BOOL open)
{
    FileDialogScript* script = g_script;
    FileDialogRecord record;
    record.open = open != FALSE;
    record.flags = ofn->Flags;
    record.fileName = ofn->lpstrFile != nullptr ? ofn->lpstrFile : "";
    record.extension = ofn->lpstrDefExt != nullptr ? ofn->lpstrDefExt : "";
    record.owner = ofn->hwndOwner;
    for (const char* part = ofn->lpstrFilter; part != nullptr && *part != '\0'; part += strlen(part) + 1)
        record.filter.push_back(part);
    script->m_dialogs.push_back(record);
    if (script->m_answers.empty())
        return IDCANCEL;
    lstrcpynA(ofn->lpstrFile, script->m_answers.front().c_str(), ofn->nMaxFile);
    script->m_answers.pop_front();
    return IDOK;
}
