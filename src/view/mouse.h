// mouse.h — the GLUT mouse, wheel and motion callbacks of both windows.
#pragma once

void mouse(int button, int state, int x, int y);
void mouse_wheel(int wheel, int direction, int x, int y);
void motion(int x, int y);
