// mouse.h — the GLUT mouse and motion callbacks of both windows.
#pragma once

void mouse(int button, int state, int x, int y);
void motion(int x, int y);
