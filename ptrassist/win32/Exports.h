// The library's exports. Names are undecorated (see ptrassist.def); those with arguments use the standard Windows
// calling convention.
#pragma once

#include <windows.h>

extern "C" {
LPVOID WINAPI GetMapFilePointer();
DWORD WINAPI GetDLLVersion();
DWORD WINAPI GetDLLMapSize();
HHOOK WINAPI InstallHook(int flag);
LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SyMsgHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LowLevelMouseProc5(int code, WPARAM wParam, LPARAM lParam);
HWND WINAPI CreateWheelWindow(HINSTANCE instance, HWND parent);
LRESULT CALLBACK WheelWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int WINAPI DoAutoUp(int count);
int WINAPI DoAutoDown(int count);
int WINAPI DoAutoLeft(int count);
int WINAPI DoAutoRight(int count);
}
