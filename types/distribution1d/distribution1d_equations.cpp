// The structure pass and the expression pass of the one-dimensional distribution: both walk the
// one-dimensional programs over the X domain.
#include "types/distribution1d/distribution1d.h"
#include "types/distribution1d/programs1d.h"
#include "types/scheme/scheme_passes.h"

namespace {

// The arrays along x: the indices of the other directions are always 0 and not used.
class Elements1D {
public:
    Elements1D(QV_DISTRIBUTION1D& d, norvane::DomainInputs& x) : m_d(d), m_x(x) {}

    QV_VarParam& integral(unsigned char span, const int node[3]) {
        return span == 0 ? static_cast<QV_VarParam&>((*m_d.VALUE)(node[0])) : m_d.IDX(node[0]);
    }
    QV_VarParam& derivative(int order, norvane::Direction, const int node[3]) {
        return order == 1 ? m_d.DDX(node[0]) : m_d.D2DX2(node[0]);
    }
    QV_VarParam& step(norvane::Direction, int section) {
        return *m_x.section(section).ELEMENTLENGTH;
    }

private:
    QV_DISTRIBUTION1D& m_d;
    norvane::DomainInputs& m_x;
};

// Everything one pass reads, made for that pass.
struct Pass1D {
    Pass1D(QV_DISTRIBUTION1D& d, norvane::Pass pass)
        : x(*d.XDOMAIN, d.HIGHESTORDERXDERIVATIVE, d.HIGHESTORDERXDERIVATIVEUSED, pass),
          in(directions, 1, d.INTEGRALS, pass), elements(d, x) {}

    norvane::DomainInputs x;
    norvane::DirectionInputs* directions[1] = {&x};
    norvane::DistributionInputs in;
    Elements1D elements;
};

} // namespace

int QV_DISTRIBUTION1D::SetUpEquations() {
    return norvane::DistributionSetUpEquations<Pass1D>(*this, XDOMAIN.ExternalLink() != nullptr,
                                                       norvane::Programs1D());
}

int QV_DISTRIBUTION1D::JacPattern(int*& rows, int*& cols, QV_EquationType** equations) {
    return norvane::DistributionJacPattern<Pass1D>(*this, XDOMAIN.ExternalLink() != nullptr,
                                                   norvane::Programs1D(), rows, cols, equations);
}
