// Storage of the chart's per-bar records in blocks: a 100,000-bar history would otherwise
// cost 300,000 heap allocations, which dominate its load time. Records live until Clear.
#pragma once
#include <memory>
#include <vector>

template <typename Record>
class CRecordPool
{
public:
    enum { kBlockRecords = 256 };   // keeps a block well below the heap's large-block size

    Record* Make()
    {
        if (m_nUsed == kBlockRecords || m_blocks.empty())
        {
            m_blocks.emplace_back(new Record[kBlockRecords]);
            m_nUsed = 0;
        }
        return &m_blocks.back()[m_nUsed++];
    }

    void Clear()
    {
        m_blocks.clear();
        m_nUsed = 0;
    }

private:
    std::vector<std::unique_ptr<Record[]>> m_blocks;
    int m_nUsed = 0;
};
