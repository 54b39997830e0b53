// The structure pass and the expression pass of the two-dimensional distribution: both walk
// the two-dimensional programs over the X and Y domains.
#include "types/distribution2d/distribution2d.h"
#include "types/distribution2d/programs2d.h"
#include "types/scheme/scheme_passes.h"

namespace {

using norvane::Direction;

class Elements2D {
public:
    Elements2D(QV_DISTRIBUTION2D& d, norvane::DomainInputs& x, norvane::DomainInputs& y)
        : m_d(d), m_x(x), m_y(y) {}

    // Span bit 0 is x, bit 1 is y; a span of z names VALUE, as no integral spans it.
    QV_VarParam& integral(unsigned char span, const int node[3]) {
        using D = QV_DISTRIBUTION2D;
        static constexpr D::Variables D::*integrals[4] = {nullptr, &D::IDX, &D::IDY, &D::IDXDY};
        D::Variables D::*const integral = span < 4 ? integrals[span] : nullptr;
        D::Variables& array = integral ? m_d.*integral : *m_d.VALUE;
        return array(node[0], node[1]);
    }
    QV_VarParam& derivative(int order, Direction d, const int node[3]) {
        using D = QV_DISTRIBUTION2D;
        static constexpr D::Derivatives D::*derivatives[2][2] = {{&D::DDX, &D::DDY},
                                                                 {&D::D2DX2, &D::D2DY2}};
        return (m_d.*derivatives[order == 1 ? 0 : 1][d == Direction::X ? 0 : 1])(node[0], node[1]);
    }
    QV_VarParam& step(Direction d, int section) {
        return *(d == Direction::X ? m_x : m_y).section(section).ELEMENTLENGTH;
    }

private:
    QV_DISTRIBUTION2D& m_d;
    norvane::DomainInputs& m_x;
    norvane::DomainInputs& m_y;
};

// Everything one pass reads, made for that pass.
struct Pass2D {
    Pass2D(QV_DISTRIBUTION2D& d, norvane::Pass pass)
        : x(*d.XDOMAIN, d.HIGHESTORDERXDERIVATIVE, d.HIGHESTORDERXDERIVATIVEUSED, pass),
          y(*d.YDOMAIN, d.HIGHESTORDERYDERIVATIVE, d.HIGHESTORDERYDERIVATIVEUSED, pass),
          in(directions, 2, d.INTEGRALS, pass), elements(d, x, y) {}

    norvane::DomainInputs x;
    norvane::DomainInputs y;
    norvane::DirectionInputs* directions[2] = {&x, &y};
    norvane::DistributionInputs in;
    Elements2D elements;
};

bool Linked(QV_DISTRIBUTION2D& d) {
    return d.XDOMAIN.ExternalLink() != nullptr && d.YDOMAIN.ExternalLink() != nullptr;
}

} // namespace

int QV_DISTRIBUTION2D::SetUpEquations() {
    return norvane::DistributionSetUpEquations<Pass2D>(*this, Linked(*this), norvane::Programs2D());
}

int QV_DISTRIBUTION2D::JacPattern(int*& rows, int*& cols, QV_EquationType** equations) {
    return norvane::DistributionJacPattern<Pass2D>(*this, Linked(*this), norvane::Programs2D(),
                                                   rows, cols, equations);
}
