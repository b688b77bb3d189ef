// main.cpp — entry point of the tyx globe viewer.
#include "core/startup.h"

int main(int argc, char** argv)
{
    return tyx_main(argc, argv);
}
