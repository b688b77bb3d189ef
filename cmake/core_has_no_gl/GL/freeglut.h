// Stands in front of the system's <GL/freeglut.h> for the core library only.
#error "the core library does not use GL or GLUT: put the call in a *_gl.cpp or *_glut.cpp file"
