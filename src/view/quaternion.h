// quaternion.h — quaternion product and rotation matrix.
//
// Conventions: a quaternion is (w, x, y, z), scalar first; a rotation by angle
// a about the unit axis u is (cos a/2, u sin a/2). Matrices are 16 doubles in
// OpenGL column-major order (element 4c + r is row r, column c). Nothing is
// normalised. The matrix of p*q applies q first, then p.
#pragma once

// r = p*q. r must not alias p or q.
void qmul(double r[4], const double p[4], const double q[4]);

// Rotation matrix of q.
void qrot(double r[16], const double q[4]);

// Same values as qrot; the stroke store reads it transposed.
void qrot_minus(double r[16], const double q[4]);
