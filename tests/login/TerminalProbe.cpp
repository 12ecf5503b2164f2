#include "TerminalProbe.h"

#include "DeskProbe.h"
#include "testsupport/Pump.h"
#include "testsupport/TestFiles.h"

#include <string.h>

namespace login_test {

namespace {

const char kProbeVariable[] = "TOLVAN_DESK_PROBE";
const DWORD kAnswerWaitMs = 10000;
const char kStateEnd[] = "end\n";

bool EndsWith(const std::string& text, const char* end)
{
    const size_t length = strlen(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

}  // namespace

CTerminalProbe::CTerminalProbe(const CString& statePath)
    : m_statePath(statePath)
{
    ::SetEnvironmentVariableA(kProbeVariable, m_statePath);
}

CTerminalProbe::~CTerminalProbe()
{
    ::SetEnvironmentVariableA(kProbeVariable, NULL);
}

bool CTerminalProbe::Command(const char* command) const
{
    COPYDATASTRUCT data = {CDeskProbe::kCopyDataTag, (DWORD)strlen(command), (PVOID)command};
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(m_main, WM_COPYDATA, 0, (LPARAM)&data, SMTO_NORMAL, kAnswerWaitMs, &result)
           && (BOOL)result == TRUE;
}

ProbeState CTerminalProbe::State() const
{
    ::DeleteFileA(m_statePath);
    if (!Command("dump"))
        return ProbeState();
    // The file is written by the other process: it is whole once its last line stands.
    std::string text;
    tolvan::test::PumpUntil([&] {
        text = tolvan::test::ReadFileBytes(m_statePath);
        return EndsWith(text, kStateEnd);
    }, kAnswerWaitMs);
    return ProbeState::Parse(text);
}

bool CTerminalProbe::WaitState(const std::function<bool(const ProbeState&)>& condition, ProbeState* last,
                               DWORD timeoutMs) const
{
    ProbeState state;
    const bool met = tolvan::test::PumpUntil([&] {
        state = State();
        return condition(state);
    }, timeoutMs);
    if (last != nullptr)
        *last = state;
    return met;
}

}  // namespace login_test
