#include "testsupport/MessageBoxScript.h"
#include "testsupport/RecordingWindow.h"
#include "testsupport/TestApp.h"

#include <afxwin.h>
#include <gtest/gtest.h>

#include <thread>

using namespace tolvan::test;

TEST(MessageBoxScript, AnswersFromTheQueueThenTheDefaultAndRecordsEveryBox)
{
    MessageBoxScript script;
    script.Answer({IDYES, IDNO});
    EXPECT_EQ(AfxMessageBox("保存修改吗？", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(AfxMessageBox("真的不保存？", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox("已完成"), IDOK);
    script.SetDefaultAnswer(IDCANCEL);
    RecordingWindow owner;
    EXPECT_EQ(CWnd::FromHandle(owner)->MessageBox("连接断开", "提示", MB_RETRYCANCEL), IDCANCEL);

    const auto boxes = script.Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, "保存修改吗？");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes[0].result, IDYES);
    EXPECT_EQ(boxes[1].result, IDNO);
    EXPECT_EQ(boxes[2].text, "已完成");
    EXPECT_EQ(boxes[2].result, IDOK);
    EXPECT_EQ(boxes[3].owner, owner.Handle());
    EXPECT_EQ(boxes[3].caption, "提示");
    EXPECT_EQ(boxes[3].type, static_cast<UINT>(MB_RETRYCANCEL));
    EXPECT_EQ(script.PendingAnswers(), 0u);
}

TEST(MessageBoxScript, AnswersBoxesOfOtherThreadsAndRestoresTheOuterScript)
{
    MessageBoxScript outer;
    outer.SetDefaultAnswer(IDRETRY);
    {
        MessageBoxScript inner;
        inner.SetResponder([](const MessageBoxRecord& box) {
            return box.text == "继续？" ? IDYES : IDNO;
        });
        DWORD workerId = 0;
        int answer = 0;
        std::thread worker([&] {
            workerId = GetCurrentThreadId();
            answer = AfxMessageBox("继续？", MB_YESNO);
        });
        worker.join();
        EXPECT_EQ(answer, IDYES);
        ASSERT_EQ(inner.Count(), 1u);
        EXPECT_EQ(inner.Last().threadId, workerId);
        EXPECT_EQ(AfxMessageBox("别的"), IDNO);
    }
    EXPECT_EQ(AfxMessageBox("外层"), IDRETRY);
    EXPECT_EQ(outer.Count(), 1u);
    EXPECT_EQ(outer.Last().text, "外层");
}

TEST(MessageBoxScript, CaptionsBoxesWithTheApplicationsName)
{
    TestApp app("行情终端");
    EXPECT_EQ(AfxGetApp(), &app);
    MessageBoxScript script;
    AfxMessageBox("已断开");
    EXPECT_EQ(script.Last().caption, "行情终端");
}
