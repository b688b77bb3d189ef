// readinitfile.cpp — reads the configuration files into the viewer state.
#include "config/readinitfile.h"

#include "core/tyxparam.h"

void func_readinit_file()
{
    if (wnd.pixsize2_x == -9999)
        wnd.pixsize2_x = wnd.pixsize_x;
    if (wnd.pixsize2_y == -9999)
        wnd.pixsize2_y = wnd.pixsize_y;
    if (wnd.pixposition2_x == -9999)
        wnd.pixposition2_x = wnd.pixposition_x + wnd.pixsize_x;
    if (wnd.pixposition2_y == -9999)
        wnd.pixposition2_y = wnd.pixposition_y;
}
