// The collection templates and the fixed-type collections built on them.
#include <afx.h>
#include <afxtempl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

TEST(CArrayTest, GrowInsertRemoveAndSelfReferences)
{
    CStringArray names;
    for (int i = 0; i < 100; ++i) {
        CString name;
        name.Format("n%d", i);
        EXPECT_EQ(i, names.Add(name));
    }
    names.Add(names[0]);   // an element of itself while the array grows
    EXPECT_EQ(101, names.GetSize());
    EXPECT_EQ(CString("n0"), names[100]);

    names.InsertAt(1, "乗", 2);
    EXPECT_EQ(CString("乗"), names[2]);
    EXPECT_EQ(CString("n1"), names[3]);
    names.RemoveAt(0, 3);
    EXPECT_EQ(CString("n1"), names[0]);
    EXPECT_EQ(100, names.GetCount());
    names.SetAtGrow(104, "end");
    EXPECT_EQ(105, names.GetSize());
    EXPECT_TRUE(names[103].IsEmpty());

    CArray<int> numbers;
    numbers.SetSize(3);
    EXPECT_EQ(0, numbers[2]);
    numbers.Append(numbers);
    EXPECT_EQ(6, numbers.GetSize());

    bool threw = false;
    try {
        numbers.GetAt(6);
    } catch (CException* e) {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
}

TEST(CListTest, PositionsWalkBothWays)
{
    CList<CString, const CString&> list;
    list.AddTail(CString("b"));
    list.AddHead(CString("a"));
    POSITION c = list.AddTail(CString("d"));
    list.InsertBefore(c, CString("c"));
    EXPECT_EQ(4, list.GetCount());

    CString forward;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        forward += list.GetNext(pos);
    EXPECT_EQ(CString("abcd"), forward);
    CString backward;
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        backward += list.GetPrev(pos);
    EXPECT_EQ(CString("dcba"), backward);

    POSITION found = list.Find(CString("c"));
    ASSERT_NE(nullptr, found);
    list.RemoveAt(found);
    EXPECT_EQ(nullptr, list.Find(CString("c")));
    EXPECT_EQ(CString("a"), list.RemoveHead());
    EXPECT_EQ(CString("d"), list.RemoveTail());
    EXPECT_EQ(CString("b"), list.GetAt(list.FindIndex(0)));
}

TEST(CMapTest, LookupRemoveAndIterateEveryEntry)
{
    CMapStringToString map;
    std::map<std::string, std::string> reference;
    for (int i = 0; i < 200; ++i) {
        CString key, value;
        key.Format("键%d", i);
        value.Format("%d", i * i);
        map[key] = value;
        reference[(LPCSTR)key] = (LPCSTR)value;
    }
    map.SetAt("键5", "changed");
    reference["键5"] = "changed";
    EXPECT_TRUE(map.RemoveKey("键7"));
    EXPECT_FALSE(map.RemoveKey("键7"));
    reference.erase("键7");
    EXPECT_EQ((INT_PTR)reference.size(), map.GetCount());

    CString value;
    EXPECT_TRUE(map.Lookup("键5", value));
    EXPECT_EQ(CString("changed"), value);
    EXPECT_FALSE(map.Lookup("键7", value));

    std::map<std::string, std::string> walked;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        CString key;
        map.GetNextAssoc(pos, key, value);
        walked[(LPCSTR)key] = (LPCSTR)value;
    }
    EXPECT_EQ(reference, walked);

    CMap<int, int, double, double> numbers;
    numbers[3] = 1.5;
    numbers[-3] = 2.5;
    double d = 0;
    EXPECT_TRUE(numbers.Lookup(-3, d));
    EXPECT_EQ(2.5, d);
    numbers.RemoveAll();
    EXPECT_TRUE(numbers.IsEmpty());
    EXPECT_EQ(nullptr, numbers.GetStartPosition());
}

TEST(CTypedPtrTest, TypedWrappersAndRuntimeClasses)
{
    CString a("a"), b("b");
    CTypedPtrArray<CPtrArray, CString*> array;
    array.Add(&a);
    array.Add(&b);
    EXPECT_EQ(&b, array[1]);

    CTypedPtrMap<CMapStringToPtr, CString, CString*> map;
    map.SetAt("x", &a);
    CString* found = NULL;
    EXPECT_TRUE(map.Lookup("x", found));
    EXPECT_EQ(&a, found);

    CFileException* error = new CFileException(CFileException::diskFull);
    EXPECT_TRUE(error->IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_TRUE(error->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(error->IsKindOf(RUNTIME_CLASS(CMemoryException)));
    EXPECT_STREQ("CFileException", error->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(error, DYNAMIC_DOWNCAST(CFileException, error));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CMemoryException, error));
    error->Delete();
}

}  // namespace
