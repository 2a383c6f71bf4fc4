#include "math/eigen.h"
#include "math/symeigen.h"
#include "linelike.h"

namespace {

class EigenTest : public ::testing::Test {
protected:
    void SetUp() override { g_MatError = 0; }
    void TearDown() override { g_MatError = 0; }
};

Mat Real(std::initializer_list<double> v)
{
    Mat m;
    for (double x : v)
        m.emplace_back(x, 0.0);
    return m;
}

// max |V*V^T - I|: orthogonal under the plain transpose, not the conjugate one.
double OrthogonalityError(const Mat& V, int n)
{
    Mat vvt(V.size()), id(V.size());
    MatMulTransB(V.data(), V.data(), vvt.data(), n, n, n);
    for (int i = 0; i < n; ++i)
        id[i * n + i] = CComplex(1, 0);
    return RelDiff(vvt, id);
}

TEST_F(EigenTest, CholeskyAndTriangularInverseGoldens)
{
    // Only the upper triangle of A is read; G is cleared above its diagonal.
    Mat a = {{4, 0}, {2, 0}, {-77, 3}, {5, 0}}, g(4, CComplex(9, 9));
    CholeskySym(a.data(), g.data(), 2);
    EXPECT_EQ(MaxDiff(g, Real({2, 0, 1, 2})), 0.0);

    Mat x(4, CComplex(9, 9));
    InvertLowerTri(g.data(), x.data(), 2);
    EXPECT_EQ(MaxDiff(x, Mat{{0.5, 0}, {9, 9}, {-0.25, 0}, {0.5, 0}}), 0.0);
}

struct Eig {
    Mat v, l;
};

Eig Jacobi(const Mat& a, int n)
{
    Eig e{Mat(n * n, CComplex(5, 5)), Mat(n)};
    JacobiSym(a.data(), e.v.data(), e.l.data(), n);
    return e;
}

TEST_F(EigenTest, JacobiGoldens)
{
    // Second sweep, one rotation; the eigenvalues in the order it leaves them.
    const double r5 = std::sqrt(5.0);
    EXPECT_LT(RelDiff(Jacobi(Real({2, 1, 1, 3}), 2).l, Real({(5 - r5) / 2, (5 + r5) / 2})), 1e-15);
    // Equal diagonal entries: the 45-degree rotation, finite eigenvalues.
    EXPECT_LT(RelDiff(Jacobi(Real({2, 1, 1, 2}), 2).l, Real({1, 3})), 1e-15);
    EXPECT_LT(RelDiff(Jacobi(Real({4, 0, 0, 0, 4, 0.5, 0, 0.5, 4}), 3).l, Real({4, 3.5, 4.5})), 1e-15);
    for (const Mat& m : {Real({2, 1, 1, 3}), Real({2, 1, 1, 2}), Mat{{1, 1}, {0.5, 0}, {0.5, 0}, {2, 0}}}) {
        auto e = Jacobi(m, 2);
        EXPECT_LT(OrthogonalityError(e.v, 2), 1e-14);
        EXPECT_LT(EigenResidual(m, e.v, e.l, 2), 1e-14);
    }

    // Diagonal and zero matrices: no rotation, V the identity, no sorting.
    const Mat id = Real({1, 0, 0, 0, 1, 0, 0, 0, 1});
    auto d = Jacobi({{3, 1}, {0, 0}, {0, 0}, {0, 0}, {-2, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 7}}, 3);
    EXPECT_EQ(MaxDiff(d.v, id), 0.0);
    EXPECT_EQ(MaxDiff(d.l, Mat{{3, 1}, {-2, 0}, {0, 7}}), 0.0);
    auto z = Jacobi(Mat(9), 3);
    EXPECT_EQ(MaxDiff(z.v, id), 0.0);
    EXPECT_EQ(MaxAbs(z.l), 0.0);
}

TEST_F(EigenTest, ProductEdgeCases)
{
    // n = 1 makes no inversion: a zero B raises no error.
    CComplex a(2, 1), b(0, 0), v(7, 7), l;
    EigenOfProduct(&a, &b, &v, &l, 1);
    EXPECT_EQ(Abs(v - CComplex(1, 0)) + Abs(l), 0.0);
    EXPECT_EQ(g_MatError, 0);

    Mat a2 = Real({2, 1, 1, 3}), v2(4), l2(2);
    EigenOfProduct(a2.data(), Real({1, 2, 2, 4}).data(), v2.data(), l2.data(), 2);
    EXPECT_EQ(g_MatError, 2);
}

TEST_F(EigenTest, DivergentRotationsGiveWayToTheUnitaryMethod)
{
    // Imaginary parts as large as the real ones, nothing like a line: the
    // non-unitary rotations keep growing the couplings.  The sweeps must end,
    // and the decomposition still comes out, with V*V^T = I.
    const int n = 24;
    std::mt19937 gen(99);
    Mat m(n * n), v(n * n), l(n);
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j) {
            double re = int(gen() % 19) - 9, im = int(gen() % 19) - 9;
            m[i * n + j] = m[j * n + i] = CComplex(re, im);
        }
    JacobiSym(m.data(), v.data(), l.data(), n);
    EXPECT_EQ(g_MatError, 0);
    EXPECT_LT(OrthogonalityError(v, n), 1e-9);
    EXPECT_LT(EigenResidual(m, v, l, n), 1e-12);
}

TEST_F(EigenTest, UnitaryMethodDeflatesRepeatedEigenvalues)
{
    // Q*diag(2, 2, 2, 5)*Q^T with Q complex orthogonal (two rotations by
    // complex angles): a triple eigenvalue whose vectors must come out
    // complex orthogonal to each other.
    const int n = 4;
    // Rotation of the pair (p, q) by the complex angle z: cos z = cosh(iz),
    // sin z = -i*sinh(iz), so cos^2 + sin^2 = 1 exactly as functions.
    auto rotation = [n](int p, int q, CComplex z) {
        const CComplex iz(-z.im, z.re), c = Cosh(iz), s = CComplex(0, -1) * Sinh(iz);
        Mat r(n * n);
        for (int i = 0; i < n; ++i)
            r[i * n + i] = CComplex(1, 0);
        r[p * n + p] = r[q * n + q] = c;
        r[p * n + q] = s;
        r[q * n + p] = -s;
        return r;
    };
    const Mat r1 = rotation(0, 3, {0.4, 0.3}), r2 = rotation(1, 3, {-0.7, 0.2});
    Mat q(n * n), t(n * n), a(n * n);
    MatMul(r1.data(), r2.data(), q.data(), n, n, n);
    const Mat d = {{2, 0}, {2, 0}, {2, 0}, {5, 0}};
    MatMulDiagRight(q.data(), d.data(), t.data(), n);
    MatMulTransB(t.data(), q.data(), a.data(), n, n, n);

    Mat v(n * n), l(n);
    ASSERT_TRUE(SymEigenByQR(a.data(), v.data(), l.data(), n));
    EXPECT_LT(OrthogonalityError(v, n), 1e-12);
    EXPECT_LT(EigenResidual(a, v, l, n), 1e-13);
    int twos = 0;
    for (const CComplex& x : l)
        twos += Abs(x - CComplex(2, 0)) < 1e-12 ? 1 : 0;
    EXPECT_EQ(twos, 3);
}

TEST_F(EigenTest, NoComplexOrthogonalEigenbasisIsAMatrixError)
{
    // [[1, i], [i, -1]] squares to zero: its only eigenvector (1, i) has
    // v^T v = 0 and cannot be normalised.  Nothing that is not a number may
    // pass as a result.
    const Mat a = {{1, 0}, {0, 1}, {0, 1}, {-1, 0}};
    Mat v(4), l(2);
    EXPECT_FALSE(SymEigenByQR(a.data(), v.data(), l.data(), 2));
    JacobiSym(a.data(), v.data(), l.data(), 2);
    EXPECT_EQ(g_MatError, 2);
    g_MatError = 0;
    EigenOfProduct(a.data(), Real({1, 0, 0, 1}).data(), v.data(), l.data(), 2);
    EXPECT_EQ(g_MatError, 2);
}

TEST_F(EigenTest, ProductResultsThatAreNotFiniteAreAMatrixError)
{
    // B^-1 = [[0, 1], [1, 0]] is regular, but its Cholesky factor has a zero
    // pivot: without the check the results would be NaN with no error.
    Mat v(4), l(2);
    EigenOfProduct(Real({1, 0, 0, 1}).data(), Real({0, 1, 1, 0}).data(), v.data(), l.data(), 2);
    EXPECT_EQ(g_MatError, 2);

    g_MatError = 0;
    CComplex a(INFINITY, 0), b(1, 0), v1, l1;
    EigenOfProduct(&a, &b, &v1, &l1, 1);
    EXPECT_EQ(g_MatError, 2);

    g_MatError = 0;
    Mat nan = Real({1, NAN, NAN, 2});
    EigenOfProduct(nan.data(), Real({1, 0, 0, 1}).data(), v.data(), l.data(), 2);
    EXPECT_EQ(g_MatError, 2);
}

class EigenLineTest : public EigenTest, public ::testing::WithParamInterface<int> {};

TEST_P(EigenLineTest, LineMatrices)
{
    const int n = GetParam();
    std::mt19937 gen(1000 + n);
    const auto [A, B] = LineLike(RandomConductors(gen, n));
    auto a = A, b = B;
    Mat ab(n * n), v(n * n), l(n);
    MatMul(A.data(), B.data(), ab.data(), n, n, n);
    EigenOfProduct(a.data(), b.data(), v.data(), l.data(), n);
    EXPECT_EQ(g_MatError, 0);
    EXPECT_EQ(MaxDiff(a, A) + MaxDiff(b, B), 0.0);
    EXPECT_LT(EigenResidual(ab, v, l, n), 1e-10);

    JacobiSym(a.data(), v.data(), l.data(), n);
    EXPECT_EQ(MaxDiff(a, A), 0.0);
    EXPECT_LT(OrthogonalityError(v, n), 1e-10);
    EXPECT_LT(EigenResidual(A, v, l, n), 1e-10);

    // The unitary method finds the same modes: each eigenvalue, and its
    // vector up to sign.
    Mat vq(n * n), lq(n);
    ASSERT_TRUE(SymEigenByQR(A.data(), vq.data(), lq.data(), n));
    for (int k = 0; k < n; ++k) {
        int match = 0;
        for (int j = 1; j < n; ++j)
            if (Abs(lq[j] - l[k]) < Abs(lq[match] - l[k]))
                match = j;
        EXPECT_LT(Abs(lq[match] - l[k]), 1e-10 * MaxAbs(l)) << k;
        CComplex dot;
        for (int i = 0; i < n; ++i)
            dot += vq[i * n + match] * v[i * n + k];
        const double sign = dot.re < 0 ? -1.0 : 1.0;
        double d = 0;
        for (int i = 0; i < n; ++i)
            d = std::max(d, Abs(vq[i * n + match] * sign - v[i * n + k]));
        EXPECT_LT(d, 1e-8) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, EigenLineTest, ::testing::Values(2, 3, 4, 6, 9, 12, 18, 24, 32, 40));

} // namespace
