// quaternion_test.cpp — product and matrix against independent formulas.
#include "view/quaternion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Column-major matrix times point.
void apply(const double m[16], const double v[3], double out[3])
{
    for (int r = 0; r < 3; r++)
        out[r] = m[r] * v[0] + m[4 + r] * v[1] + m[8 + r] * v[2];
}

void cross(const double a[3], const double b[3], double out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

// q v q* written in vector form: v + 2w(u x v) + 2 u x (u x v), u the vector part.
void rotate_by_quaternion(const double q[4], const double v[3], double out[3])
{
    const double u[3] = {q[1], q[2], q[3]};
    double uv[3], uuv[3];
    cross(u, v, uv);
    cross(u, uv, uuv);
    for (int i = 0; i < 3; i++)
        out[i] = v[i] + 2 * q[0] * uv[i] + 2 * uuv[i];
}

// Rodrigues' rotation about a unit axis by angle a.
void rotate_about(const double axis[3], double a, const double v[3], double out[3])
{
    double kv[3];
    cross(axis, v, kv);
    double kdotv = axis[0] * v[0] + axis[1] * v[1] + axis[2] * v[2];
    for (int i = 0; i < 3; i++)
        out[i] = v[i] * std::cos(a) + kv[i] * std::sin(a) + axis[i] * kdotv * (1 - std::cos(a));
}

void axis_angle(double q[4], double ax, double ay, double az, double a)
{
    double n = std::sqrt(ax * ax + ay * ay + az * az);
    q[0] = std::cos(a / 2);
    q[1] = ax / n * std::sin(a / 2);
    q[2] = ay / n * std::sin(a / 2);
    q[3] = az / n * std::sin(a / 2);
}

const double kPi = 3.141592653589793;
const double kPoints[][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0.3, -0.7, 0.2}, {-2, 1.5, 4}};

} // namespace

TEST(Quaternion, IdentityAndQuarterTurnAboutZ)
{
    const double one[4] = {1, 0, 0, 0};
    double m[16];
    qrot(m, one);
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(m[i], i % 5 == 0 ? 1 : 0) << "element " << i;

    const double quarter[4] = {std::cos(kPi / 4), 0, 0, std::sin(kPi / 4)};
    qrot(m, quarter);
    EXPECT_NEAR(m[1], 1, 1e-15);  // x goes to +y
    EXPECT_NEAR(m[4], -1, 1e-15); // y goes to -x
    EXPECT_NEAR(m[0], 0, 1e-15);
    EXPECT_NEAR(m[5], 0, 1e-15);
    EXPECT_NEAR(m[10], 1, 1e-15);
    EXPECT_EQ(m[15], 1);
    for (int i : {3, 7, 11, 12, 13, 14})
        EXPECT_EQ(m[i], 0);
}

TEST(Quaternion, MatrixRotatesLikeConjugation)
{
    const double axes[][3] = {{1, 0, 0}, {0.2, -0.5, 0.9}, {-3, 1, 2}, {0, 0, -1}};
    for (const auto& ax : axes) {
        for (double a : {0.1, 1.0, 2.5, -4.0}) {
            double q[4], m[16];
            axis_angle(q, ax[0], ax[1], ax[2], a);
            qrot(m, q);
            for (const auto& v : kPoints) {
                double by_matrix[3], by_quaternion[3];
                apply(m, v, by_matrix);
                rotate_by_quaternion(q, v, by_quaternion);
                for (int i = 0; i < 3; i++)
                    EXPECT_NEAR(by_matrix[i], by_quaternion[i], 1e-12);
            }
        }
    }
}

TEST(Quaternion, MatrixOfProductAppliesRightFactorFirst)
{
    // a about x, b about z: the product's matrix turns about z first.
    const double x_axis[3] = {1, 0, 0}, z_axis[3] = {0, 0, 1};
    for (double alpha : {0.4, -1.3}) {
        for (double beta : {0.7, 2.9}) {
            double a[4], b[4], ab[4], m[16];
            axis_angle(a, 1, 0, 0, alpha);
            axis_angle(b, 0, 0, 1, beta);
            qmul(ab, a, b);
            qrot(m, ab);
            for (const auto& v : kPoints) {
                double first[3], then[3], got[3];
                rotate_about(z_axis, beta, v, first);
                rotate_about(x_axis, alpha, first, then);
                apply(m, v, got);
                for (int i = 0; i < 3; i++)
                    EXPECT_NEAR(got[i], then[i], 1e-12);
            }
        }
    }
}

TEST(Quaternion, ProductMatchesVectorForm)
{
    // p q = (p0 q0 - p.q, p0 q + q0 p + p x q), for arbitrary (non-unit) inputs.
    const double ps[][4] = {{1, 2, 3, 4}, {0.5, -1, 0, 2}, {-0.3, 0.1, 0.7, -0.2}};
    for (const auto& p : ps) {
        for (const auto& q : ps) {
            double r[4];
            qmul(r, p, q);
            const double pv[3] = {p[1], p[2], p[3]}, qv[3] = {q[1], q[2], q[3]};
            double c[3];
            cross(pv, qv, c);
            EXPECT_NEAR(r[0], p[0] * q[0] - (pv[0] * qv[0] + pv[1] * qv[1] + pv[2] * qv[2]), 1e-12);
            for (int i = 0; i < 3; i++)
                EXPECT_NEAR(r[i + 1], p[0] * qv[i] + q[0] * pv[i] + c[i], 1e-12);
        }
    }
}

TEST(Quaternion, MinusFormGivesTheSameArray)
{
    const double qs[][4] = {{1, 0, 0, 0}, {0.3, 0.5, -0.1, 0.8}, {2, -1, 3, 0.5}};
    for (const auto& q : qs) {
        double a[16], b[16];
        qrot(a, q);
        qrot_minus(b, q);
        for (int i = 0; i < 16; i++)
            EXPECT_EQ(a[i], b[i]);
    }
}
