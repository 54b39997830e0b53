// The structure pass and the expression pass of the two-dimensional distribution: both walk
// the two-dimensional programs over the X and Y domains.
#include "types/distribution2d/distribution2d.h"
#include "types/distribution2d/programs2d.h"
#include "types/scheme/scheme_passes.h"

namespace {

using norvane::Direction;

class Elements2D final : public norvane::DistributionElements {
public:
    Elements2D(QV_DISTRIBUTION2D& d, norvane::DomainInputs& x, norvane::DomainInputs& y)
        : m_d(d), m_x(x), m_y(y) {}

    // Span bit 0 is x, bit 1 is y.
    QV_VarParam& integral(unsigned char span, const int node[3]) override {
        switch (span) {
        case 1:
            return m_d.IDX(node[0], node[1]);
        case 2:
            return m_d.IDY(node[0], node[1]);
        case 3:
            return m_d.IDXDY(node[0], node[1]);
        default:
            return (*m_d.VALUE)(node[0], node[1]);
        }
    }
    QV_VarParam& derivative(int order, Direction d, const int node[3]) override {
        QV_DISTRIBUTION2D::Derivatives& array = d == Direction::X
                                                    ? (order == 1 ? m_d.DDX : m_d.D2DX2)
                                                    : (order == 1 ? m_d.DDY : m_d.D2DY2);
        return array(node[0], node[1]);
    }
    QV_VarParam& step(Direction d, int section) override {
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
