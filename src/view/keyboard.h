// keyboard.h — the GLUT character and special-key callbacks of both windows.
#pragma once

void keyboard(unsigned char key, int x, int y);
void spkeyboard(int key, int x, int y);
