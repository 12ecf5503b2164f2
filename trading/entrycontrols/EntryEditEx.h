// The framed edit of the order form and the password page: text and background colours and a
// flat one-colour frame, without a character filter of its own (the order form's edits clean
// their text themselves).
#pragma once

#include <FlatEdit.h>

namespace entry {

using CEditEx = ::CFlatEdit;

}  // namespace entry
