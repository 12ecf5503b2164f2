// A list window created through its library's export under a recording host that stands in
// for the trade dialog (the window's grandparent) and the trading container (its parent).
// The requests that reach either are copied while their records are alive.
#pragma once
#include <ListWindowProbe.h>
#include <TradingTestHost.h>

#include <testsupport/Pump.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

struct Request
{
    UINT message = 0;
    std::string command;  // the caption, or the row text of a row message
    std::string rows;
    bool toContainer = false;
};

class ListWindowFixture : public ::testing::Test
{
protected:
    struct Messages
    {
        UINT list;
        UINT buttonState;
        UINT command;
        UINT row;
    };

    // Creates the window in a host of the given size; `show` is the library's export.
    void Open(const Messages& messages, const std::function<HWND(HWND container, CWnd* containerObject)>& show,
              int listId, int width, int height)
    {
        m = messages;
        host = std::make_unique<TradingHost>(CRect(0, 0, width, height));
        host->onMessage = [this](HostMessage& hm) {
            Request r;
            r.message = hm.message;
            r.toContainer = hm.toContainer;
            if (hm.message == m.command) {
                const ListRequest* request = reinterpret_cast<const ListRequest*>(hm.wParam);
                r.command = (LPCTSTR)request->command;
                r.rows = (LPCTSTR)request->rows;
            } else if (hm.message == m.row) {
                r.command = (LPCTSTR)*reinterpret_cast<const CString*>(hm.wParam);
            }
            requests.push_back(r);
        };
        HWND container = host->CreateContainer();
        window = show(container, CWnd::FromHandle(container));
        ASSERT_TRUE(::IsWindow(window));
        ::MoveWindow(window, 0, 0, width, height, TRUE);
        list = ::GetDlgItem(window, listId);
        ASSERT_TRUE(::IsWindow(list));
        tolvan::test::PumpPending();
    }
    void TearDown() override { host.reset(); }

    void Send(int op, int row, int col = 0, const char* text = "")
    {
        ListCommand command;
        command.op = op;
        command.row = row;
        command.col = col;
        command.text = text;
        EXPECT_EQ(::SendMessage(window, m.list, (WPARAM)&command, 0), 0);
    }
    void SetButton(const char* caption, int enable, int highlight)
    {
        ButtonState state;
        state.caption = caption;
        state.enable = enable;
        state.highlight = highlight;
        ::SendMessage(window, m.buttonState, (WPARAM)&state, 0);
    }
    void Press(int id) { ::SendMessage(::GetDlgItem(window, id), BM_CLICK, 0, 0); }
    Request LastRequest(UINT message) const
    {
        for (auto it = requests.rbegin(); it != requests.rend(); ++it)
            if (it->message == message)
                return *it;
        return Request();
    }
    // Clicks the middle of a point of the list with real input and waits for the row message.
    Request ClickList(POINT point)
    {
        requests.clear();
        ::ClientToScreen(list, &point);
        ClickAt(point);
        EXPECT_TRUE(tolvan::test::PumpUntil([&] { return LastRequest(m.row).message != 0; }));
        return LastRequest(m.row);
    }
    Request ClickCell(int row, int column)
    {
        RECT cell = CellRect(list, row, column);
        return ClickList(POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2});
    }
    tolvan::test::Screenshot CaptureList()
    {
        ::RedrawWindow(list, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        tolvan::test::PumpPending();
        return tolvan::test::Screenshot::CaptureClient(list);
    }
    tolvan::test::Screenshot CaptureButton(int id)
    {
        HWND button = ::GetDlgItem(window, id);
        ::RedrawWindow(button, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        tolvan::test::PumpPending();
        return tolvan::test::Screenshot::CaptureClient(button);
    }
    // The control's place in the window's client area.
    RECT PlaceOf(int id)
    {
        RECT place;
        ::GetWindowRect(::GetDlgItem(window, id), &place);
        ::MapWindowPoints(NULL, window, (POINT*)&place, 2);
        return place;
    }

    Messages m = {};
    std::unique_ptr<TradingHost> host;
    HWND window = NULL;
    HWND list = NULL;
    std::vector<Request> requests;
};
