#include "host/driver/domain_grid.h"

#include <cmath>

#include "host/driver/host_properties.h"

namespace {

std::vector<int> Members(const SUValue& set) {
    std::vector<int> members;
    members.reserve(static_cast<std::size_t>(set.SetSize()));
    for (int k = 0; k < set.SetSize(); ++k)
        members.push_back(set.IntegerAt(k));
    return members;
}

// Reads property values of one container, remembering the first one that is missing.
class Reader {
public:
    Reader(const QV_Container& owner, const char* what, std::string& error)
        : m_owner(owner), m_what(what), m_error(error) {}

    QV_VarParam* Value(const char* name) {
        QV_VarParam* value = ValueOf(m_owner, name);
        if (!value && m_error.empty()) m_error = std::string(m_what) + " has no " + name;
        return value;
    }
    double Real(const char* name) {
        QV_VarParam* value = Value(name);
        return value ? value->Value().RealValue() : 0.0;
    }
    int Integer(const char* name) {
        QV_VarParam* value = Value(name);
        return value ? value->Value().IntValue() : 0;
    }
    std::vector<int> Set(const char* name) {
        QV_VarParam* value = Value(name);
        return value ? Members(value->Value()) : std::vector<int>();
    }

private:
    const QV_Container& m_owner;
    const char* m_what;
    std::string& m_error;
};

} // namespace

bool FixDomainInputs(QV_Container& domain, const DomainOptions& options, std::string& error) {
    Reader reader(domain, "the domain", error);
    QV_VarParam* method = reader.Value("DISCRETIZATIONMETHOD");
    QV_VarParam* sections = reader.Value("NUMSECTIONS");
    QV_VarParam* length = reader.Value("LENGTH");
    QV_VarParam* spacing = reader.Value("SPACINGPREFERENCE");
    QV_VarParam* order = reader.Value("HIGHESTORDERDERIVATIVE");
    QV_VarParam* minNodes = reader.Value("MINNODECOUNT");
    if (!error.empty()) return false;
    method->UserSet(options.method.c_str());
    sections->UserSet(options.sections);
    length->UserSet(options.length);
    spacing->UserSet(options.spacing);
    order->UserSet(options.order);
    if (options.holdMinNodes) minNodes->UserSet(options.minNodes);
    return true;
}

double NodeBound(const DomainOptions& options) {
    const double asked = std::fabs(options.length / options.spacing);
    const double perSection =
        8.0 + (options.holdMinNodes && options.minNodes > 0 ? static_cast<double>(options.minNodes)
                                                            : 0.0);
    const double perSections = perSection * (options.sections > 1 ? options.sections : 1);
    return (std::isfinite(asked) ? asked : 0.0) + perSections;
}

double NodeBound(const DriverOptions& options) {
    double nodes = 1.0;
    for (int d = 0; d < options.dims; ++d)
        nodes *= NodeBound(options.axes[d]);
    return nodes;
}

bool ReadEndNode(const QV_Container& domain, int& endNode, std::string& error) {
    endNode = Reader(domain, "the domain", error).Integer("ENDNODE");
    return error.empty();
}

bool ReadGrid(const QV_Container& domain, DomainGrid& grid, std::string& error) {
    Reader reader(domain, "the domain", error);
    const int count = reader.Integer("NUMSECTIONS");
    const int endNode = reader.Integer("ENDNODE");
    grid.interior = reader.Set("INTERIOR");
    QV_BASE_I* sections = ArrayOf(domain, "SECTION");
    QV_BASE_I* values = ArrayOf(domain, "VALUE");
    if (!sections || !values) error = "the domain has no SECTION or VALUE array";
    if (!error.empty()) return false;

    for (int i = 1; i <= count; ++i) {
        auto* section = dynamic_cast<QV_Container*>(ExistingElement(*sections, i));
        if (!section) {
            error = "the domain has no SECTION(" + std::to_string(i) + ")";
            return false;
        }
        Reader s(*section, "a section", error);
        SectionRow row;
        row.location = s.Real("LOCATION");
        row.length = s.Real("LENGTH");
        row.nodeCount = s.Integer("NODECOUNT");
        row.base = s.Integer("BASE");
        row.numElements = s.Integer("NUMELEMENTS");
        row.elementLength = s.Real("ELEMENTLENGTH");
        row.interior = s.Set("INTERIOR");
        if (!error.empty()) return false;
        grid.sections.push_back(std::move(row));
    }
    for (long long k = 0; k <= endNode; ++k) {
        auto* node = dynamic_cast<QV_VarParam*>(ExistingElement(*values, static_cast<int>(k)));
        grid.nodes.push_back(node ? std::optional<double>(node->Value().RealValue())
                                  : std::nullopt);
    }
    return true;
}
