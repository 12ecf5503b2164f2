// A hook for unattended runs (the README's run without a display, scenario tests): with
// TOLVAN_AUTOLOGIN=<user>:<password> set, it types the user name and the password into the
// real login window once the window offers its server list and takes input, and presses
// Enter. With TOLVAN_AUTOLOGIN_SIGNAL=<path> it first writes <path>.ready and waits for
// <path>.go, so that the caller can take a picture of the window before it is filled in
// (after the login the board writes <path>.board, BoardShownSignal.h). Nothing happens
// without TOLVAN_AUTOLOGIN.
#pragma once

void InstallLoginTypingHook();
