// quaternion.cpp — quaternion product and rotation matrix.
#include "view/quaternion.h"

void qmul(double r[4], const double p[4], const double q[4])
{
    r[0] = p[0] * q[0] - p[1] * q[1] - p[2] * q[2] - p[3] * q[3];
    r[1] = p[0] * q[1] + p[1] * q[0] + p[2] * q[3] - p[3] * q[2];
    r[2] = p[0] * q[2] - p[1] * q[3] + p[2] * q[0] + p[3] * q[1];
    r[3] = p[0] * q[3] + p[1] * q[2] - p[2] * q[1] + p[3] * q[0];
}

void qrot(double r[16], const double q[4])
{
    double xx = 2 * q[1] * q[1];
    double yy = 2 * q[2] * q[2];
    double zz = 2 * q[3] * q[3];
    double xy = 2 * q[1] * q[2];
    double yz = 2 * q[2] * q[3];
    double zx = 2 * q[3] * q[1];
    double xw = 2 * q[1] * q[0];
    double yw = 2 * q[2] * q[0];
    double zw = 2 * q[3] * q[0];

    r[0] = 1 - yy - zz;
    r[1] = xy + zw;
    r[2] = zx - yw;
    r[3] = 0;
    r[4] = xy - zw;
    r[5] = 1 - zz - xx;
    r[6] = yz + xw;
    r[7] = 0;
    r[8] = zx + yw;
    r[9] = yz - xw;
    r[10] = 1 - xx - yy;
    r[11] = 0;
    r[12] = 0;
    r[13] = 0;
    r[14] = 0;
    r[15] = 1;
}

// The stroke store reads this matrix by rows to get the inverse rotation; it
// is kept as its own entry point so that reading stays explicit at the caller.
void qrot_minus(double r[16], const double q[4])
{
    qrot(r, q);
}
