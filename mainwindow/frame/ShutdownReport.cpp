#include "ShutdownReport.h"

namespace {

void Line(CString& text, const char* name, const CString& value)
{
    text += name;
    text += "=";
    text += value;
    text += "\n";
}

}  // namespace

CString CShutdownReport::Text(const CShutdownPlan* plan, bool stopsDone, const std::vector<std::string>& leftRunning)
{
    CString text;
    if (plan != nullptr && stopsDone)
        for (const CShutdownPlan::Outcome& outcome : plan->Outcomes())
        {
            CString value;
            value.Format("%s|%lu|%d", outcome.name.c_str(), (unsigned long)outcome.tookMs, outcome.ended ? 1 : 0);
            Line(text, "end-stop", value);
        }
    Line(text, "end-stops-done", stopsDone ? "1" : "0");
    for (const std::string& name : leftRunning)
        Line(text, "left-running", name.c_str());
    text += "end\n";
    return text;
}
