// Permanent and temporary wrappers: what SelectObject and FromHandle return, and that
// deleting temporary wrappers never deletes the handles behind them.
#include "memory_canvas.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(CDCSelectObject, ReturnsThePreviousObjectAsTheRightWrapperAndRestores)
{
    MemoryCanvas canvas(8, 8);
    CDC& dc = canvas.dc;
    HGDIOBJ defaultPen = ::GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ defaultBrush = ::GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ defaultFont = ::GetCurrentObject(dc, OBJ_FONT);

    CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
    CBrush brush(RGB(4, 5, 6));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "宋体"));

    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CFont* oldFont = dc.SelectObject(&font);
    ASSERT_TRUE(oldPen && oldBrush && oldFont);
    EXPECT_EQ(defaultPen, oldPen->m_hObject);
    EXPECT_EQ(defaultBrush, oldBrush->m_hObject);
    EXPECT_EQ(defaultFont, oldFont->m_hObject);
    EXPECT_TRUE(oldPen->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_TRUE(oldBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_TRUE(oldFont->IsKindOf(RUNTIME_CLASS(CFont)));

    // The current objects are the program's own wrappers, not copies.
    EXPECT_EQ(&pen, dc.GetCurrentPen());
    EXPECT_EQ(&brush, dc.GetCurrentBrush());
    EXPECT_EQ(&font, dc.GetCurrentFont());
    EXPECT_EQ(&canvas.bitmap, dc.GetCurrentBitmap());

    // Selecting the returned wrappers restores the DC and hands back the program's objects.
    EXPECT_EQ(&pen, dc.SelectObject(oldPen));
    EXPECT_EQ(&brush, dc.SelectObject(oldBrush));
    EXPECT_EQ(&font, dc.SelectObject(oldFont));
    EXPECT_EQ(defaultPen, ::GetCurrentObject(dc, OBJ_PEN));
    EXPECT_EQ(defaultBrush, ::GetCurrentObject(dc, OBJ_BRUSH));
    EXPECT_EQ(defaultFont, ::GetCurrentObject(dc, OBJ_FONT));
    // No longer selected, so they can be deleted.
    EXPECT_TRUE(pen.DeleteObject());
    EXPECT_TRUE(brush.DeleteObject());

    // The generic and stock forms give typed wrappers too.
    CGdiObject* previous = dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(defaultBrush, previous->m_hObject);
    EXPECT_TRUE(previous->IsKindOf(RUNTIME_CLASS(CBrush)));
    CGdiObject* stock = dc.SelectObject(previous);
    ASSERT_NE(nullptr, stock);
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), stock->m_hObject);
    AfxDeleteTempGdiObjects();
}

TEST(CDCSelectObject, RegionAndNullSelectionsDoNotPretendToReturnObjects)
{
    MemoryCanvas canvas(8, 8);
    CRgn region;
    region.CreateRectRgn(0, 0, 4, 4);
    EXPECT_EQ(SIMPLEREGION, canvas.dc.SelectObject(&region));
    // Through the generic form the region type must not pass for an object handle.
    EXPECT_EQ(nullptr, canvas.dc.SelectObject(static_cast<CGdiObject*>(&region)));
    CPen empty;
    EXPECT_EQ(nullptr, canvas.dc.SelectObject(&empty));
}

TEST(GdiTemporaryMap, SameWrapperUntilDeletedAndHandlesSurvive)
{
    HBRUSH raw = ::CreateSolidBrush(RGB(9, 9, 9));
    CGdiObject* generic = CGdiObject::FromHandle(raw);
    ASSERT_NE(nullptr, generic);
    EXPECT_TRUE(generic->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(generic, CGdiObject::FromHandle(raw));
    EXPECT_EQ(generic, CBrush::FromHandle(raw));
    EXPECT_EQ(nullptr, CGdiObject::FromHandle(NULL));

    CDC memory;
    memory.CreateCompatibleDC(NULL);
    EXPECT_EQ(&memory, CDC::FromHandle(memory.m_hDC));
    HDC rawDc = ::CreateCompatibleDC(NULL);
    CDC* temporaryDc = CDC::FromHandle(rawDc);
    EXPECT_EQ(temporaryDc, CDC::FromHandle(rawDc));
    EXPECT_EQ(rawDc, temporaryDc->m_hAttribDC);

    HMENU rawMenu = ::CreatePopupMenu();
    CMenu* temporaryMenu = CMenu::FromHandle(rawMenu);
    EXPECT_EQ(temporaryMenu, CMenu::FromHandle(rawMenu));

    AfxDeleteTempGdiObjects();
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(raw));
    EXPECT_EQ((DWORD)OBJ_MEMDC, ::GetObjectType(rawDc));
    EXPECT_TRUE(::IsMenu(rawMenu));
    CBrush* again = CBrush::FromHandle(raw);
    ASSERT_NE(nullptr, again);
    EXPECT_EQ((HGDIOBJ)raw, again->m_hObject);
    AfxDeleteTempGdiObjects();

    EXPECT_TRUE(::DeleteObject(raw));
    EXPECT_TRUE(::DeleteDC(rawDc));
    EXPECT_TRUE(::DestroyMenu(rawMenu));
}

TEST(GdiTemporaryMap, PermanentWrapperWinsUntilDetached)
{
    CPen pen(PS_DASH, 1, RGB(0, 0, 0));
    HPEN handle = pen;
    EXPECT_EQ(&pen, CPen::FromHandle(handle));
    EXPECT_EQ(&pen, CGdiObject::FromHandle(handle));

    EXPECT_EQ((HGDIOBJ)handle, pen.Detach());
    CPen* temporary = CPen::FromHandle(handle);
    EXPECT_NE(&pen, temporary);
    EXPECT_EQ((HGDIOBJ)handle, temporary->m_hObject);

    // Attaching again makes it permanent again; deleting it unregisters it.
    CPen owner;
    owner.Attach(handle);
    EXPECT_EQ(&owner, CPen::FromHandle(handle));
    EXPECT_TRUE(owner.DeleteObject());
    EXPECT_EQ(nullptr, owner.GetSafeHandle());
    AfxDeleteTempGdiObjects();
}

TEST(GdiTemporaryMap, EachThreadHasItsOwnTemporaries)
{
    HBRUSH raw = ::CreateSolidBrush(RGB(1, 1, 1));
    CBrush* mine = CBrush::FromHandle(raw);
    CBrush* theirs = nullptr;
    HGDIOBJ theirHandle = NULL;
    std::thread worker([&] {
        theirs = CBrush::FromHandle(raw);
        theirHandle = theirs->m_hObject;
        // Clearing the worker's map leaves the main thread's wrapper alone.
        AfxDeleteTempGdiObjects();
    });
    worker.join();
    EXPECT_NE(mine, theirs);
    EXPECT_EQ((HGDIOBJ)raw, theirHandle);
    EXPECT_EQ(mine, CBrush::FromHandle(raw));
    EXPECT_EQ((HGDIOBJ)raw, mine->m_hObject);
    AfxDeleteTempGdiObjects();
    EXPECT_TRUE(::DeleteObject(raw));
}

TEST(GdiSafeHandles, AreNullThroughNullPointers)
{
    CGdiObject* volatile noObject = nullptr;
    CDC* volatile noDc = nullptr;
    CMenu* volatile noMenu = nullptr;
    CImageList* volatile noList = nullptr;
    EXPECT_EQ(nullptr, noObject->GetSafeHandle());
    EXPECT_EQ(nullptr, noDc->GetSafeHdc());
    EXPECT_EQ(nullptr, noMenu->GetSafeHmenu());
    EXPECT_EQ(nullptr, noList->GetSafeHandle());
}

}  // namespace
