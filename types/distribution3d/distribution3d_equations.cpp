// The structure pass and the expression pass of the three-dimensional distribution: both walk
// the three-dimensional programs over the X, Y and Z domains.
#include "types/distribution3d/distribution3d.h"
#include "types/distribution3d/programs3d.h"
#include "types/scheme/scheme_passes.h"

namespace {

using norvane::Direction;

class Elements3D final : public norvane::DistributionElements {
public:
    Elements3D(QV_DISTRIBUTION3D& d, norvane::DomainInputs* const* directions)
        : m_d(d), m_directions(directions) {}

    // Span bit 0 is x, bit 1 is y, bit 2 is z.
    QV_VarParam& integral(unsigned char span, const int node[3]) override {
        switch (span) {
        case 1:
            return m_d.IDX(node[0], node[1], node[2]);
        case 2:
            return m_d.IDY(node[0], node[1], node[2]);
        case 4:
            return m_d.IDZ(node[0], node[1], node[2]);
        case 3:
            return m_d.IDXDY(node[0], node[1], node[2]);
        case 5:
            return m_d.IDXDZ(node[0], node[1], node[2]);
        case 6:
            return m_d.IDYDZ(node[0], node[1], node[2]);
        case 7:
            return m_d.IDXDYDZ(node[0], node[1], node[2]);
        default:
            return (*m_d.VALUE)(node[0], node[1], node[2]);
        }
    }
    QV_VarParam& derivative(int order, Direction d, const int node[3]) override {
        QV_DISTRIBUTION3D::Derivatives* const arrays[2][3] = {{&m_d.DDX, &m_d.DDY, &m_d.DDZ},
                                                              {&m_d.D2DX2, &m_d.D2DY2, &m_d.D2DZ2}};
        return (*arrays[order == 1 ? 0 : 1][static_cast<int>(d)])(node[0], node[1], node[2]);
    }
    QV_VarParam& step(Direction d, int section) override {
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
