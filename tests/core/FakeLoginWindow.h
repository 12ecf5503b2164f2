// A login window that records what the program asks of it, for tests of the login logic.
#pragma once
#include "ILogin.h"

#include <mutex>
#include <string>
#include <vector>

class FakeLoginWindow : public ILogin
{
public:
    void SelectEntry(int index) override { Record("select " + std::to_string(index)); }
    void SetServerKindCallback(LoginServerKindCallback) override {}
    void SetMode(int mode) override { Record("mode " + std::to_string(mode)); }
    void EnableInput(bool enable) override { Record(enable ? "enable" : "disable"); }
    void BeginTest(int value) override { Record("begin test " + std::to_string(value)); }
    void SetProgressText(const char* text) override { Record(std::string("progress text ") + text); }
    void SetServerEntries(const std::vector<std::string>& entries) override
    {
        std::string joined;
        for (const std::string& entry : entries)
            joined += (joined.empty() ? "" : "|") + entry;
        Record("entries " + joined);
    }
    void SetSubmitCallback(LoginSubmitCallback) override {}
    void SetSpeedTestCallback(LoginWindowCallback) override {}
    void SetProgress(int value) override { Record("progress " + std::to_string(value)); }
    void SetStatusText(const char* text) override { Record(std::string("status ") + text); }
    void SetPlainCallback(LoginPlainCallback) override {}
    HWND GetWindow() override { return NULL; }
    int GetServerKind() override { return 1; }
    std::string GetShownText(int) override { return std::string(); }
    void ShowResult(const std::string& text) override { Record("result " + text); }
    void CloseWindow() override { Record("close"); }

    std::vector<std::string> Calls()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_calls;
    }
    bool Has(const std::string& call)
    {
        for (const std::string& made : Calls())
            if (made == call)
                return true;
        return false;
    }

private:
    void Record(const std::string& call)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_calls.push_back(call);
    }
    std::mutex m_lock;
    std::vector<std::string> m_calls;
};
