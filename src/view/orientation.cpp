// orientation.cpp — orientation state changes of the two globes.
#include "view/orientation.h"

#include "core/tyxparam.h"
#include "view/quaternion.h"

void init_rotate()
{
    qrot(view.rt, view.cq);
    qrot(view.rt2, view.cq2);
}

void latitude_rotate() {}

void step_inertia_globe1() {}

void step_inertia_globe2() {}

void step_spin(double /*now*/) {}
