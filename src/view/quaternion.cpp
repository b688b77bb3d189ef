// quaternion.cpp — quaternion product and matrix.
#include "view/quaternion.h"

void qmul(double r[4], const double p[4], const double q[4])
{
    (void)r;
    (void)p;
    (void)q;
}

void qrot(double r[16], const double q[4])
{
    (void)q;
    for (int i = 0; i < 16; i++)
        r[i] = (i % 5 == 0) ? 1 : 0;
}

void qrot_minus(double r[16], const double q[4]) { qrot(r, q); }
