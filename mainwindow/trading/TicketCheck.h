// The checks of an order ticket that concern the ticket itself, in their fixed order, and the
// order request built from it. The connection and busy checks belong to the caller.
#pragma once
#include <afx.h>
#include "OrderRequest.h"
#include "QuoteStore.h"
#include "TicketFields.h"

// Fills request from ticket; returns the text of the first failed check, or an empty text
// when the order may go. The client reference is left empty: the caller stamps it.
CString BuildOrderFromTicket(const TicketFields& ticket, OrderRequest& request,
                             const QuoteStore& store = GetQuoteStore());

// Reads a plain decimal text ("-12.340") as an integer in units of 10^-decimals; false for
// any other text, or when digits beyond `decimals` are not zero.
bool ScaleDecimalText(const CString& text, int decimals, long long& value);
// Digits after the point of a plain decimal text (0 without a point).
int DecimalsOfText(const CString& text);
