#!/usr/bin/env python3
"""Prints the registry settings of Tolvan's Wine prefix as a .reg file (UTF-16)."""
import sys

FONT = "WenQuanYi Micro Hei"
REPLACED = ["宋体", "新宋体", "SimSun", "NSimSun", "Arial", "Tahoma", "System",
            "MS Shell Dlg", "MS Shell Dlg 2", "微软雅黑", "Microsoft YaHei", "黑体",
            "SimHei", "Courier New", "Times New Roman", "Verdana", "MS Sans Serif"]

lines = ["Windows Registry Editor Version 5.00", "",
         r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
lines += ['"%s"="%s"' % (name, FONT) for name in REPLACED]
# A crash ends the program without a debugger dialog; crash tests read the exit code.
lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\WineDbg]", '"ShowCrashDialog"=dword:00000000']
lines += ["", r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]",
          '"Debugger"=-', '"Auto"="0"']
# Without a window manager Wine waits for one on every destroyed top-level window when its
# windows are "managed"; unmanaged windows are destroyed at once.
lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\X11 Driver]", '"Managed"="N"']
text = "\r\n".join(lines) + "\r\n"
sys.stdout.buffer.write(b"\xff\xfe" + text.encode("utf-16-le"))
