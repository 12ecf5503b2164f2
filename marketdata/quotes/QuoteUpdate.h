// One element of a quote batch: the latest row of an instrument and the rows received for it
// since the previous batch, oldest first. A batch lives in its sender and is valid only during
// the synchronous send of WM_QUOTE_BATCH.
#pragma once
#include <vector>
#include "QuoteRow.h"

struct QuoteUpdate
{
    QuoteUpdate() = default;
    // Built straight from the latest row, without first making an empty one.
    explicit QuoteUpdate(const QuoteRow& latest) : rowLatest(latest) {}

    QuoteRow rowLatest;
    std::vector<QuoteRow> vecTicks;
};

typedef std::vector<QuoteUpdate> QuoteBatch;
