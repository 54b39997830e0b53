// The structure pass and the expression pass of the three-dimensional distribution: both walk
// the three-dimensional programs over the X, Y and Z domains.
#include "types/distribution3d/distribution3d.h"
#include "types/distribution3d/programs3d.h"
#include "types/scheme/scheme_passes.h"

namespace {

using norvane::Direction;

class Elements3D {
public:
    Elements3D(QV_DISTRIBUTION3D& d, norvane::DomainInputs* const* directions)
        : m_d(d), m_directions(directions) {}

    // Span bit 0 is x, bit 1 is y, bit 2 is z.
    QV_VarParam& integral(unsigned char span, const int node[3]) {
        using D = QV_DISTRIBUTION3D;
        static constexpr D::Variables D::*integrals[8] = {
            nullptr, &D::IDX, &D::IDY, &D::IDXDY, &D::IDZ, &D::IDXDZ, &D::IDYDZ, &D::IDXDYDZ};
        D::Variables D::*const integral = span < 8 ? integrals[span] : nullptr;
        D::Variables& array = integral ? m_d.*integral : *m_d.VALUE;
        return array(node[0], node[1], node[2]);
    }
    QV_VarParam& derivative(int order, Direction d, const int node[3]) {
        using D = QV_DISTRIBUTION3D;
        static constexpr D::Derivatives D::*derivatives[2][3] = {{&D::DDX, &D::DDY, &D::DDZ},
                                                                 {&D::D2DX2, &D::D2DY2, &D::D2DZ2}};
        return (m_d.*derivatives[order == 1 ? 0 : 1][static_cast<int>(d)])(node[0], node[1],
                                                                           node[2]);
    }
    QV_VarParam& step(Direction d, int section) {
        return *m_directions[static_cast<int>(d)]->section(section).ELEMENTLENGTH;
    }

private:
    QV_DISTRIBUTION3D& m_d;
    norvane::DomainInputs* const* m_directions;
};

// Everything one pass reads, made for that pass.
struct Pass3D {
    Pass3D(QV_DISTRIBUTION3D& d, norvane::Pass pass)
        : x(*d.XDOMAIN, d.HIGHESTORDERXDERIVATIVE, d.HIGHESTORDERXDERIVATIVEUSED, pass),
          y(*d.YDOMAIN, d.HIGHESTORDERYDERIVATIVE, d.HIGHESTORDERYDERIVATIVEUSED, pass),
          z(*d.ZDOMAIN, d.HIGHESTORDERZDERIVATIVE, d.HIGHESTORDERZDERIVATIVEUSED, pass),
          in(directions, 3, d.INTEGRALS, pass), elements(d, domains) {}

    norvane::DomainInputs x;
    norvane::DomainInputs y;
    norvane::DomainInputs z;
    norvane::DomainInputs* domains[3] = {&x, &y, &z};
    norvane::DirectionInputs* directions[3] = {&x, &y, &z};
    norvane::DistributionInputs in;
    Elements3D elements;
};

bool Linked(QV_DISTRIBUTION3D& d) {
    return d.XDOMAIN.ExternalLink() != nullptr && d.YDOMAIN.ExternalLink() != nullptr &&
           d.ZDOMAIN.ExternalLink() != nullptr;
}

} // namespace

int QV_DISTRIBUTION3D::SetUpEquations() {
    return norvane::DistributionSetUpEquations<Pass3D>(*this, Linked(*this), norvane::Programs3D());
}

int QV_DISTRIBUTION3D::JacPattern(int*& rows, int*& cols, QV_EquationType** equations) {
    return norvane::DistributionJacPattern<Pass3D>(*this, Linked(*this), norvane::Programs3D(),
                                                   rows, cols, equations);
}
