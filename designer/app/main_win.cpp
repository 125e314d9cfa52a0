// Designer.exe. Its main window and commands live in this folder; until they
// are here the program opens no window and ends at once.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
