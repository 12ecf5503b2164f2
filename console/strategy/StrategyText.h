// The strategy text: one checksummed line that carries a strategy and the accounts assigned to
// it, written into the sheets of the strategy import and read back from them.
//
//   digest "#" body, body = "nStragegyId:" id "#" "strStrategyName:" name "#"
//                           { "vecStrategy:" "bEnable:" n "@" ... "strSlipPoint:" v "#" }
//                           { "userId:" id "@" "userName:" name "#" }
//
// The digest is Md5Hex of the body. The separators ":", "@" and "#" cannot be escaped in this
// form, which readers of existing sheets rely on, so a value holding one of them is refused
// rather than written: it would cut its field apart and be read back as another text.
#pragma once
#include <afx.h>
#include <vector>
#include "StrategyInfo.h"
#include "StrategyTextRecord.h"
#include "UserStrategy.h"

// Mode 1: {1, 1, text, name} with the assignments of `assignments` whose strategy id is the
// strategy's; {1, 0, "", ""} when a value of the strategy or of one of those assignments
// holds a separator. Any other mode: {mode, 0, "", ""}.
StrategyTextRecord BuildStrategyText(int mode, const StrategyInfo& strategy,
                                     const std::vector<UserStrategy>& assignments);

// Reads record.text when record.valid is 1. The legs and users are emptied first; the id and
// name keep their values unless the text names them. {0,0} not valid, {1,0} digest mismatch,
// {1,1} read.
StrategyParseResult ParseStrategyText(const StrategyTextRecord& record, StrategyInfo& strategy,
                                      std::vector<UserStrategy>& users);

// True when the value can stand in a strategy text and read back as itself: it holds no ":",
// "@", "#" or NUL byte, and does not end in a GBK lead byte (which the reader would pair with
// the separator after it).
bool IsStrategyTextValue(const CString& value);
