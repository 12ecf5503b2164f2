"""Writes the strategy workbooks of the import tests with openpyxl (never with Tolvan's code).

Usage: make_strategy_workbooks.py OUTPUT_DIR

Each sheet row holds a strategy text: an MD5 digest of the body's GBK bytes, "#" and the body.
"""
import hashlib
import os
import sys

import openpyxl


def strategy_text(strategy_id, name, legs, users):
    body = "nStragegyId:%d#strStrategyName:%s#" % (strategy_id, name)
    for enable, contract, multiple, direction, price, point, slip in legs:
        body += ("vecStrategy:bEnable:%d@strContractType:%s@strMultiple:%s@strDirection:%s"
                 "@strPriceType:%s@strPoint:%s@strSlipPoint:%s#"
                 % (enable, contract, multiple, direction, price, point, slip))
    for user_id, user_name in users:
        body += "userId:%s@userName:%s#" % (user_id, user_name)
    return hashlib.md5(body.encode("gbk")).hexdigest() + "#" + body


def workbook(path, rows):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "策略"
    sheet.append(["序号", "有效", "状态", "名称", "策略"])
    for index, (valid, state, name, text) in enumerate(rows, start=1):
        sheet.append([index, valid, state, name, text])
    book.save(path)


def main():
    directory = sys.argv[1]
    os.makedirs(directory, exist_ok=True)
    forex = (1, "外汇现货", "3", "反向", "限价", "2", "1")
    metal = (0, "贵金属", "1", "同向", "市价", "1", "0")
    stocks = (1, "沪深", "1", "同向", "市价", "1", "0")
    same_name = strategy_text(7, "甲", [forex, metal], [("1003", "王五")])
    new_one = strategy_text(8, "乙", [stocks, forex], [("1001", "张三"), ("1002", "李四")])
    workbook(os.path.join(directory, "import_strategies.xlsx"), [
        (1, "开启", "甲", same_name),
        (0, "开启", "丢", strategy_text(9, "丢", [forex], [])),  # not valid: skipped
        (1, "关闭", "乙", new_one),
    ])
    edited = same_name.replace("strMultiple:3", "strMultiple:30")
    workbook(os.path.join(directory, "import_edited.xlsx"), [
        (1, "开启", "乙", new_one),
        (1, "开启", "甲", edited),
    ])
    # The start of an OLE compound file, as an ".xls" workbook begins.
    with open(os.path.join(directory, "import_legacy.xls"), "wb") as f:
        f.write(bytes.fromhex("D0CF11E0A1B11AE1") + bytes(504))


if __name__ == "__main__":
    main()
